// The program's windows on Wayland. The cover is the lock surfaces, one per
// output; the dialog is a subsurface of one of them, centred on it.
#pragma once

#include <wayland-client.h>

#include "platform/host/Window.h"
#include "platform/wayland/Outputs.h"
#include "platform/wayland/ShmSurface.h"

// Where the dialog is: its output, its surface over that output's lock
// surface, and its top-left corner there in surface coordinates.
struct host::Native {
    int scale = 1;  // buffer pixels per surface pixel
    wl::Output* output = nullptr;
    wl_surface* surface = nullptr;
    wl_subsurface* subsurface = nullptr;
    int x = 0, y = 0;
    wl::ShmSurface frames;
};

namespace wl {

inline host::Native& native(const ui::Window* window) { return *window->native; }

// An output's lock surface is up or changed size: the dialog goes there if
// it has no place yet, and is centred again on its own output.
void output_covered(Output& output);
// An output is going: a dialog on it moves to another.
void output_gone(const Output& output);
// An output's properties have all come: a dialog on it takes its scale.
void output_announced(const Output& output);

}  // namespace wl
