// The seat: its keyboard and pointer as they come and go.
#include "platform/wayland/Seat.h"

namespace wl {
namespace {

void on_capabilities(void*, wl_seat* seat, uint32_t capabilities) {
    watch_keyboard(seat, capabilities & WL_SEAT_CAPABILITY_KEYBOARD);
    watch_pointer(seat, capabilities & WL_SEAT_CAPABILITY_POINTER);
}

void on_name(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {on_capabilities, on_name};

}  // namespace

void watch_seat(wl_seat* seat) { wl_seat_add_listener(seat, &kSeatListener, nullptr); }

}  // namespace wl
