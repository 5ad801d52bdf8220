// The seat's devices, each followed by its own file.
#pragma once

#include <wayland-client.h>

namespace wl {

void watch_keyboard(wl_seat* seat, bool present);
void watch_pointer(wl_seat* seat, bool present);

}  // namespace wl
