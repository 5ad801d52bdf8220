// XTest key events on a connection of their own.
#include "Keys.h"

#include <stdexcept>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace bench {

Keys::Keys(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    if (!display_) throw std::runtime_error("cannot open " + display + " for XTest");
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw std::runtime_error("the server has no XTest");
}

Keys::~Keys() {
    if (display_) XCloseDisplay(display_);
}

void Keys::Press(const char* keysym, bool down) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    XFlush(display_);
}

}  // namespace bench
