// The one connection to the Wayland compositor and the globals the program
// binds on it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <wayland-client.h>

#include "ext-session-lock-v1-protocol.h"
#include "single-pixel-buffer-v1-protocol.h"
#include "viewporter-protocol.h"

namespace wl {

struct Output;

struct Globals {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    wl_subcompositor* subcompositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    ext_session_lock_manager_v1* lock_manager = nullptr;
    // Optional: a black cover of one pixel, stretched over each output.
    wp_viewporter* viewporter = nullptr;
    wp_single_pixel_buffer_manager_v1* single_pixel = nullptr;
    // In the order the compositor announced them.
    std::vector<std::unique_ptr<Output>> outputs;
};

// Set once by open_connection; everything else reads it.
extern Globals g_wl;

// Connects to the compositor named by the environment and binds what the
// lock needs; exits with status 1 and a line on stderr where there is no
// compositor or it cannot hold a session lock.
void open_connection();

// Sends what is queued and serves the compositor's answers to it; ends the
// program when the connection is gone.
void roundtrip();

// Serves the events already read; ends the program when the connection is gone.
void dispatch_pending();

// Ends the program after a protocol error or a lost connection.
[[noreturn]] void connection_lost();

}  // namespace wl
