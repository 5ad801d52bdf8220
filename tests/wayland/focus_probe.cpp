// An ordinary window through xdg-shell, with a keyboard.
#include "focus_probe.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include <wayland-client.h>

#include "connect.h"

#include "xdg-shell-protocol.h"

namespace wayland {

struct FocusProbe::State {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    xdg_wm_base* wm = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* xdg = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_keyboard* keyboard = nullptr;
    wl_buffer* buffer = nullptr;
    bool focused = false;
    int keys = 0;
};

namespace {

using State = FocusProbe::State;

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* s = static_cast<State*>(data);
    const auto is = [interface](const wl_interface& i) { return std::strcmp(interface, i.name) == 0; };
    if (is(wl_compositor_interface))
        s->compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    else if (is(wl_shm_interface))
        s->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    else if (is(wl_seat_interface) && !s->seat)
        s->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (is(xdg_wm_base_interface))
        s->wm = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry = {OnGlobal, OnGlobalRemove};

void OnPing(void*, xdg_wm_base* wm, uint32_t serial) { xdg_wm_base_pong(wm, serial); }
const xdg_wm_base_listener kWm = {OnPing};

wl_buffer* ColouredBuffer(wl_shm* shm, int width, int height) {
    const int stride = width * 4, size = stride * height;
    const int fd = memfd_create("probe", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0) throw std::runtime_error("cannot make a buffer");
    void* mapped = mmap(nullptr, static_cast<std::size_t>(size), PROT_WRITE, MAP_SHARED, fd, 0);
    auto* pixels = static_cast<std::uint32_t*>(mapped);
    const Rgb c = FocusProbe::kColour;
    const auto xrgb = static_cast<std::uint32_t>((c.r << 16) | (c.g << 8) | c.b);
    for (int i = 0; i < width * height; ++i) pixels[i] = xrgb;
    munmap(mapped, static_cast<std::size_t>(size));
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void OnConfigure(void* data, xdg_surface* xdg, uint32_t serial) {
    auto* s = static_cast<State*>(data);
    xdg_surface_ack_configure(xdg, serial);
    if (!s->buffer) s->buffer = ColouredBuffer(s->shm, 256, 256);
    wl_surface_attach(s->surface, s->buffer, 0, 0);
    wl_surface_commit(s->surface);
}
const xdg_surface_listener kXdg = {OnConfigure};

void OnToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
void OnClose(void*, xdg_toplevel*) {}
// Bound at version 1: no bounds or capabilities come.
const xdg_toplevel_listener kToplevel = {OnToplevelConfigure, OnClose, nullptr, nullptr};

void OnKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void OnEnter(void* data, wl_keyboard*, uint32_t, wl_surface*, wl_array*) { static_cast<State*>(data)->focused = true; }
void OnLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) { static_cast<State*>(data)->focused = false; }
void OnKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) { ++static_cast<State*>(data)->keys; }
void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
// Bound at seat version 1: no repeat information comes.
const wl_keyboard_listener kKeyboard = {OnKeymap, OnEnter, OnLeave, OnKey, OnModifiers, nullptr};

}  // namespace

FocusProbe::FocusProbe(const std::string& socket) : state_(new State) {
    display_ = ConnectAndBind(socket, kRegistry, state_);
    State& s = *state_;
    if (!s.compositor || !s.shm || !s.seat || !s.wm) throw std::runtime_error("the probe lacks a global");
    xdg_wm_base_add_listener(s.wm, &kWm, nullptr);
    s.keyboard = wl_seat_get_keyboard(s.seat);
    wl_keyboard_add_listener(s.keyboard, &kKeyboard, state_);
    s.surface = wl_compositor_create_surface(s.compositor);
    s.xdg = xdg_wm_base_get_xdg_surface(s.wm, s.surface);
    xdg_surface_add_listener(s.xdg, &kXdg, state_);
    s.toplevel = xdg_surface_get_toplevel(s.xdg);
    xdg_toplevel_add_listener(s.toplevel, &kToplevel, state_);
    xdg_toplevel_set_title(s.toplevel, "probe");
    wl_surface_commit(s.surface);
    wl_display_roundtrip(display_);
}

FocusProbe::~FocusProbe() {
    State& s = *state_;
    if (s.keyboard) wl_keyboard_destroy(s.keyboard);
    if (s.toplevel) xdg_toplevel_destroy(s.toplevel);
    if (s.xdg) xdg_surface_destroy(s.xdg);
    if (s.surface) wl_surface_destroy(s.surface);
    if (s.buffer) wl_buffer_destroy(s.buffer);
    if (s.wm) xdg_wm_base_destroy(s.wm);
    if (s.seat) wl_seat_destroy(s.seat);
    if (s.shm) wl_shm_destroy(s.shm);
    if (s.compositor) wl_compositor_destroy(s.compositor);
    wl_display_disconnect(display_);
    delete state_;
}

void FocusProbe::Pump() {
    wl_display_flush(display_);
    pollfd in{wl_display_get_fd(display_), POLLIN, 0};
    while (poll(&in, 1, 0) > 0) {
        if (wl_display_dispatch(display_) < 0) throw std::runtime_error("the probe lost the compositor");
    }
    wl_display_dispatch_pending(display_);
}

bool FocusProbe::Focused() const { return state_->focused; }
int FocusProbe::Keys() const { return state_->keys; }

}  // namespace wayland
