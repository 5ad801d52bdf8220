// What a compositing manager needs to leave our windows opaque and in their
// own colours, whatever its settings for other windows.
#pragma once

#include <xcb/xcb.h>

namespace x11 {

// Sets the hints on one of our windows; before its first map, so that no
// frame is ever composited without them.
void set_compositor_hints(xcb_window_t xwindow);

// Called with every property change reported on our windows: a hint that
// another client changed or deleted is set again.
void keep_compositor_hint(xcb_window_t xwindow, xcb_atom_t property);

}  // namespace x11
