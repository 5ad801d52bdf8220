// The program icon as a window property, from the same XPM sources the
// image control and the Windows build use.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

void set_window_icon(::Window xwindow);

}  // namespace x11
