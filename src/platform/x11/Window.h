// The native side of the program's windows on X11: an override-redirect
// window for each, kept mapped, in place and above every other.
#pragma once

#include <xcb/xcb.h>

#include "platform/host/Window.h"
#include "platform/x11/Display.h"
#include "platform/x11/ImageSurface.h"

struct host::Native {
    xcb_window_t xwindow = 0;
    xcb_window_t help_area = 0;  // an input-only window that shows the help pointer
    x11::Rect help_rect;         // where help_area was last put
    x11::Rect outer;             // in root coordinates
    x11::ImageSurface image;     // the dialog's frame, from its first paint on
    bool pointers_set = false;   // shapes given to every window, once the dialog was first drawn
};

namespace x11 {

inline host::Native& native(const ui::Window* window) { return *window->native; }
ui::Window* find_window(xcb_window_t xwindow);

// Puts the program's windows back above everything else, cover first so
// the dialog ends in front of it.
void raise_all();
// The same, but only where another window has come between or above ours;
// for our own restacking, which raising would report again.
void keep_on_top();
// Fits the cover to the root and centres the dialog on the primary monitor.
void fit_to_screen();

// Another client destroyed the window: make it again, same state.
void recreate(ui::Window* window);
// Another client unmapped, moved or resized it: put it back.
void restore(ui::Window* window, const Rect& now, bool mapped);

// Nothing is mapped before keyboard and pointer are held: a window shown
// before that waits until the grabs are taken, which maps every such window
// in the order they were made (cover first). Makes the dialog's native
// window on its first mapping.
void map_now(ui::Window* window);
void map_shown_windows();

}  // namespace x11
