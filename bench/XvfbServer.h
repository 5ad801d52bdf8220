// A private Xvfb for one run, on a display number of its own choosing.
#pragma once

#include <string>
#include <sys/types.h>

namespace bench {

class XvfbServer {
public:
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace bench
