// Typing through XTest, as a user's keyboard would.
#pragma once

#include <string>

struct _XDisplay;

namespace bench {

class Keys {
public:
    explicit Keys(const std::string& display);
    ~Keys();
    Keys(const Keys&) = delete;
    Keys& operator=(const Keys&) = delete;

    // Press or release the key of an X keysym name ("a", "BackSpace");
    // the request is flushed before the call returns.
    void Press(const char* keysym, bool down);

private:
    _XDisplay* display_ = nullptr;
};

}  // namespace bench
