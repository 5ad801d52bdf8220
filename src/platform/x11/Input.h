// Keyboard and mouse events, handed to the dialog's engine.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

void handle_key(XKeyEvent& event);
void handle_button(const XButtonEvent& event);

}  // namespace x11
