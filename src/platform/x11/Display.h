// The one connection to the X server, and what the rest of the backend
// reads off it: atoms, the screen's dots per inch, the monitors.
#pragma once

#include <X11/Xlib.h>

#include "platform/dialog/Layout.h"

namespace x11 {

using dialog::Rect;

struct Atoms {
    Atom wm_protocols, wm_delete_window, net_wm_icon;
    Atom net_wm_window_opacity, net_wm_bypass_compositor, xkb_rules_names;
    Atom net_wm_window_type, net_wm_window_type_dock;
};

struct Connection {
    Display* display = nullptr;
    int screen = 0;
    ::Window root = 0;
    Visual* visual = nullptr;
    Colormap colormap = 0;
    int depth = 0;
    double dpi = 0;
    Atoms atoms{};
    int randr_event_base = -1;  // -1 without RandR
};

// Set once by open_connection; everything else reads it.
extern Connection g_x;

// Opens the display named by the environment; exits with status 1 and a
// line on stderr where there is none or its grabs would not hold.
void open_connection();

// Monitors coming, going and moving: RandR's notices, asked for once the
// lock is held (four round trips the lock itself does not need; the root's
// own ConfigureNotify covers a change of its size before then).
void watch_screen_changes();

// The whole root window, over every monitor.
Rect root_rect();

// The primary monitor; else the one holding the root's origin; else the root.
Rect primary_monitor();

}  // namespace x11
