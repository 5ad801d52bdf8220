// The program icon as a window property, from the same XPM sources the
// image control and the Windows build use.
#pragma once

#include <xcb/xcb.h>

namespace x11 {

void set_window_icon(xcb_window_t xwindow);

}  // namespace x11
