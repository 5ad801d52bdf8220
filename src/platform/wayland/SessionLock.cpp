// The session lock and its lock surfaces, one black one on each output.
#include "platform/wayland/SessionLock.h"

#include "platform/posix/Fatal.h"
#include "platform/ui.h"
#include "platform/wayland/Buffers.h"
#include "platform/wayland/Connection.h"
#include "platform/wayland/Window.h"

namespace wl {
namespace {

enum class LockState { None, Asked, Held, Ended };

ext_session_lock_v1* g_lock = nullptr;
LockState g_state = LockState::None;
wl_buffer* g_black_pixel = nullptr;  // shared by every output

void on_locked(void*, ext_session_lock_v1*) { g_state = LockState::Held; }

// Refused at once: another locker holds the session, or the compositor
// will not lock it. Taken back later: the compositor unlocked the session
// some other way, and there is nothing left to hold.
void on_finished(void*, ext_session_lock_v1*) {
    if (g_state == LockState::Held)
        posix::fatal("the compositor ended the session lock", nullptr);
    posix::fatal("the compositor refused the lock (another locker may hold the session)", nullptr);
}

const ext_session_lock_v1_listener kLockListener = {on_locked, on_finished};

// A black buffer of the output's size: one pixel stretched where the
// compositor can, else shared memory, which an untouched file holds as
// zeros, and zero is black.
wl_buffer* black_for(Output& output) {
    if (g_wl.viewporter && g_wl.single_pixel) {
        if (!g_black_pixel)
            g_black_pixel = wp_single_pixel_buffer_manager_v1_create_u32_rgba_buffer(g_wl.single_pixel, 0, 0, 0,
                                                                                       0xFFFFFFFFu);
        if (!output.viewport) output.viewport = wp_viewporter_get_viewport(g_wl.viewporter, output.surface);
        wp_viewport_set_destination(output.viewport, output.width, output.height);
        return g_black_pixel;
    }
    if (output.own_black) wl_buffer_destroy(output.own_black);
    output.own_black = make_black_buffer(output.width, output.height);
    return output.own_black;
}

void on_configure(void* data, ext_session_lock_surface_v1* lock_surface, uint32_t serial, uint32_t width,
                  uint32_t height) {
    Output& output = *static_cast<Output*>(data);
    ext_session_lock_surface_v1_ack_configure(lock_surface, serial);
    output.width = static_cast<int>(width);
    output.height = static_cast<int>(height);
    wl_surface_attach(output.surface, black_for(output), 0, 0);
    wl_surface_damage_buffer(output.surface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(output.surface);
    output.covered = true;
    output_covered(output);
}

const ext_session_lock_surface_v1_listener kLockSurfaceListener = {on_configure};

}  // namespace

bool locking() { return g_lock != nullptr; }

void cover_output(Output& output) {
    output.surface = wl_compositor_create_surface(g_wl.compositor);
    output.lock_surface = ext_session_lock_v1_get_lock_surface(g_lock, output.surface, output.output);
    ext_session_lock_surface_v1_add_listener(output.lock_surface, &kLockSurfaceListener, &output);
}

void uncover_output(Output& output) {
    if (output.lock_surface) ext_session_lock_surface_v1_destroy(output.lock_surface);
    if (output.viewport) wp_viewport_destroy(output.viewport);
    if (output.surface) wl_surface_destroy(output.surface);
    if (output.own_black) wl_buffer_destroy(output.own_black);
    output.lock_surface = nullptr;
    output.viewport = nullptr;
    output.surface = nullptr;
    output.own_black = nullptr;
    output.covered = false;
}

}  // namespace wl

namespace ui {

using namespace wl;

// On: nothing counts as held until the compositor says the session is
// locked. Off: the one place the session is unlocked; the round trip makes
// sure the compositor has done it before the program ends.
void set_system_key_block(bool on) {
    if (!on) {
        if (g_state != LockState::Held) return;
        ext_session_lock_v1_unlock_and_destroy(g_lock);
        g_lock = nullptr;
        g_state = LockState::Ended;
        roundtrip();
        return;
    }
    if (g_lock) return;
    g_lock = ext_session_lock_manager_v1_lock(g_wl.lock_manager);
    ext_session_lock_v1_add_listener(g_lock, &kLockListener, nullptr);
    g_state = LockState::Asked;
    for (const auto& output : g_wl.outputs) cover_output(*output);
    while (g_state == LockState::Asked) roundtrip();
}

}  // namespace ui
