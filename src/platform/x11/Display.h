// The one connection to the X server, and what the rest of the backend
// reads off it: atoms, the screen's dots per inch and pixel format, the
// monitors.
#pragma once

#include <cstdint>

#include <xcb/xcb.h>

#include "platform/dialog/Layout.h"

namespace x11 {

using dialog::Rect;

struct Atoms {
    xcb_atom_t wm_protocols, wm_delete_window, net_wm_icon;
    xcb_atom_t net_wm_window_opacity, net_wm_bypass_compositor, xkb_rules_names;
    xcb_atom_t net_wm_window_type, net_wm_window_type_dock;
};

// How the screen's pixels are laid out in an image: where each of red,
// green and blue sits, and in how many bits.
struct PixelFormat {
    int bits_per_pixel = 32;
    bool most_significant_first = false;  // the server's byte order in images
    std::uint32_t red_mask = 0xFF0000, green_mask = 0xFF00, blue_mask = 0xFF;
};

struct Connection {
    xcb_connection_t* c = nullptr;
    const xcb_screen_t* screen = nullptr;
    xcb_window_t root = 0;
    PixelFormat format;
    double dpi = 0;
    Atoms atoms{};
    int randr_event_base = -1;  // -1 without RandR
};

// Set once by open_connection; everything else reads it.
extern Connection g_x;

// Opens the display named by the environment; exits with status 1 and a
// line on stderr where there is none, its grabs would not hold or the
// dialog could not be drawn on its screen.
void open_connection();

// Monitors coming, going and moving: RandR's notices, asked for once the
// lock is held (round trips the lock itself does not need; the root's own
// ConfigureNotify covers a change of its size before then).
void watch_screen_changes();

// The whole root window, over every monitor.
Rect root_rect();

// The primary monitor; else the one holding the root's origin; else the root.
Rect primary_monitor();

}  // namespace x11
