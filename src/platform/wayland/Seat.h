// The seat's keyboard and pointer, handed to the dialog's engine.
#pragma once

#include <wayland-client.h>

namespace wl {

// Follows the seat's devices as they come and go.
void watch_seat(wl_seat* seat);

// The seat's devices, each followed by its own file.
void watch_keyboard(wl_seat* seat, bool present);
void watch_pointer(wl_seat* seat, bool present);

// Becomes readable while a held key is due to type again.
int key_repeat_fd();
// Types the held key as often as it is due.
void serve_key_repeat();

// The pointer's shape over the dialog, once it is drawn.
void update_pointer_shape();

}  // namespace wl
