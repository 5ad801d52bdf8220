// The compositor's outputs, as they come and go, each with its part of the
// cover: a black lock surface.
#pragma once

#include <cstdint>

#include <wayland-client.h>

#include "ext-session-lock-v1-protocol.h"
#include "viewporter-protocol.h"

namespace wl {

struct Output {
    std::uint32_t name = 0;  // the registry's name for the global
    wl_output* output = nullptr;
    int scale = 1;
    bool announced = false;  // its first burst of properties has ended
    // Its lock surface, made once the lock is asked for.
    wl_surface* surface = nullptr;
    ext_session_lock_surface_v1* lock_surface = nullptr;
    wp_viewport* viewport = nullptr;
    wl_buffer* own_black = nullptr;  // without a one-pixel buffer to stretch
    int width = 0, height = 0;       // surface coordinates, from the compositor
    bool covered = false;            // black is committed on it
};

// A wl_output global appeared: binds it and, while locking, covers it.
void add_output(std::uint32_t name, std::uint32_t version);
// A global went away; nothing happens unless it was an output of ours.
void remove_output(std::uint32_t name);

// The first output, in the compositor's order, whose lock surface is up.
Output* first_covered_output();
Output* find_output(wl_surface* surface);

}  // namespace wl
