// A private, headless X server for one test: Xvfb on a display number it
// picks itself and reports through -displayfd, with key repeat off.
#pragma once

#include <memory>
#include <string>

#include "process.h"

namespace e2e {

class XServer {
public:
    // Starts Xvfb with one screen of width x height at depth bits a pixel
    // and waits until it accepts connections; throws when it does not come
    // up.
    explicit XServer(int width = 1024, int height = 768, int depth = 24);
    // Starts another server, such as Xephyr inside a display of its own:
    // spawn names the program, its arguments and environment, and gets
    // -displayfd added.
    explicit XServer(Spawn spawn);
    ~XServer();

    const std::string& display() const { return display_; }  // ":N"
    pid_t pid() const { return xvfb_->pid(); }

private:
    void Start(Spawn spawn);

    std::unique_ptr<Process> xvfb_;
    std::string display_;
};

}  // namespace e2e
