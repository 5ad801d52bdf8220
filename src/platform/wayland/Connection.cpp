// Connecting, binding the globals, and refusing compositors that cannot lock.
#include "platform/wayland/Connection.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/posix/Fatal.h"
#include "platform/wayland/Outputs.h"
#include "platform/wayland/Seat.h"

namespace wl {

Globals g_wl;

namespace {

template <typename Proxy>
Proxy* bind(std::uint32_t name, const wl_interface& interface, std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<Proxy*>(wl_registry_bind(g_wl.registry, name, &interface, std::min(offered, wanted)));
}

void on_global(void*, wl_registry*, std::uint32_t name, const char* interface, std::uint32_t version) {
    const auto is = [interface](const wl_interface& known) { return std::strcmp(interface, known.name) == 0; };
    if (is(wl_compositor_interface)) {
        g_wl.compositor = bind<wl_compositor>(name, wl_compositor_interface, version, 4);
    } else if (is(wl_subcompositor_interface)) {
        g_wl.subcompositor = bind<wl_subcompositor>(name, wl_subcompositor_interface, version, 1);
    } else if (is(wl_shm_interface)) {
        g_wl.shm = bind<wl_shm>(name, wl_shm_interface, version, 1);
    } else if (is(wl_seat_interface) && !g_wl.seat) {
        // One seat is the user at this station; version 4 tells the key repeat.
        g_wl.seat = bind<wl_seat>(name, wl_seat_interface, version, 5);
        watch_seat(g_wl.seat);
    } else if (is(wl_output_interface)) {
        add_output(name, version);
    } else if (is(ext_session_lock_manager_v1_interface)) {
        g_wl.lock_manager = bind<ext_session_lock_manager_v1>(name, ext_session_lock_manager_v1_interface, version, 1);
    } else if (is(wp_viewporter_interface)) {
        g_wl.viewporter = bind<wp_viewporter>(name, wp_viewporter_interface, version, 1);
    } else if (is(wp_single_pixel_buffer_manager_v1_interface)) {
        g_wl.single_pixel = bind<wp_single_pixel_buffer_manager_v1>(
            name, wp_single_pixel_buffer_manager_v1_interface, version, 1);
    }
}

void on_global_remove(void*, wl_registry*, std::uint32_t name) { remove_output(name); }

const wl_registry_listener kRegistryListener = {on_global, on_global_remove};

void require(const void* global, const char* why) {
    if (!global) posix::fatal("cannot lock", why);
}

}  // namespace

void connection_lost() {
    const int error = wl_display_get_error(g_wl.display);
    posix::fatal("lost the connection to the Wayland compositor",
                 error == EPROTO ? "protocol error" : std::strerror(error));
}

void roundtrip() {
    if (wl_display_roundtrip(g_wl.display) < 0) connection_lost();
}

void dispatch_pending() {
    if (wl_display_dispatch_pending(g_wl.display) < 0) connection_lost();
}

void open_connection() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    // Checked here, as the library would otherwise say it in a line of its own.
    if (name && *name != '/' && (!runtime || !*runtime))
        posix::fatal("cannot connect to the Wayland compositor", "XDG_RUNTIME_DIR is not set");
    g_wl.display = wl_display_connect(nullptr);
    if (!g_wl.display)
        posix::fatal("cannot connect to the Wayland compositor",
                     name && *name ? "nothing answers on WAYLAND_DISPLAY" : "WAYLAND_DISPLAY is not set");
    g_wl.registry = wl_display_get_registry(g_wl.display);
    wl_registry_add_listener(g_wl.registry, &kRegistryListener, nullptr);
    roundtrip();
    // Checked first: without it nothing else the compositor offers could
    // make a lock.
    if (!g_wl.lock_manager) posix::fatal("this Wayland compositor offers no session lock (ext-session-lock-v1)", nullptr);
    require(g_wl.compositor, "the compositor offers no surfaces (wl_compositor)");
    require(g_wl.subcompositor, "the compositor offers no subsurfaces (wl_subcompositor)");
    require(g_wl.shm, "the compositor offers no shared memory (wl_shm)");
    require(g_wl.seat, "the compositor has no seat");
    // The outputs' scales, the seat's keyboard and pointer.
    roundtrip();
    if (g_wl.outputs.empty()) posix::fatal("cannot lock", "the compositor has no output");
}

}  // namespace wl
