// Screencopy frames into shared memory.
#include "screen_copy.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>

#include <wayland-client.h>

#include "connect.h"

#include "wlr-screencopy-unstable-v1-protocol.h"

namespace wayland {

struct ScreenCopy::State {
    wl_shm* shm = nullptr;
    wl_output* output = nullptr;
    zwlr_screencopy_manager_v1* manager = nullptr;
    zwlr_screencopy_frame_v1* frame = nullptr;
    wl_buffer* buffer = nullptr;
    void* pixels = nullptr;
    std::size_t bytes = 0;
    std::uint32_t format = 0;
    int width = 0, height = 0, stride = 0;
    bool described = false, done = false, failed = false;
};

namespace {

using State = ScreenCopy::State;

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* s = static_cast<State*>(data);
    if (std::strcmp(interface, wl_shm_interface.name) == 0)
        s->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    else if (std::strcmp(interface, wl_output_interface.name) == 0 && !s->output)
        s->output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
    else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0)
        s->manager = static_cast<zwlr_screencopy_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_screencopy_manager_v1_interface, 2));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry = {OnGlobal, OnGlobalRemove};

void OnBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width, uint32_t height,
              uint32_t stride) {
    auto* s = static_cast<State*>(data);
    s->format = format;
    s->width = static_cast<int>(width);
    s->height = static_cast<int>(height);
    s->stride = static_cast<int>(stride);
    s->described = true;
}
void OnFlags(void*, zwlr_screencopy_frame_v1*, uint32_t) {}
void OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) { static_cast<State*>(data)->done = true; }
void OnFailed(void* data, zwlr_screencopy_frame_v1*) {
    auto* s = static_cast<State*>(data);
    s->done = s->failed = true;
}
void OnDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
// Bound at version 2: no dmabuf offers and no end of the buffer list come.
const zwlr_screencopy_frame_v1_listener kFrame = {OnBuffer, OnFlags, OnReady, OnFailed, OnDamage, nullptr, nullptr};

}  // namespace

ScreenCopy::ScreenCopy(const std::string& socket) : state_(new State) {
    display_ = ConnectAndBind(socket, kRegistry, state_);
    if (!state_->shm || !state_->output || !state_->manager) throw std::runtime_error("no screencopy here");
}

ScreenCopy::~ScreenCopy() {
    State& s = *state_;
    if (s.pixels) munmap(s.pixels, s.bytes);
    if (s.frame) zwlr_screencopy_frame_v1_destroy(s.frame);
    if (s.buffer) wl_buffer_destroy(s.buffer);
    if (s.manager) zwlr_screencopy_manager_v1_destroy(s.manager);
    if (s.output) wl_output_destroy(s.output);
    if (s.shm) wl_shm_destroy(s.shm);
    wl_display_disconnect(display_);
    delete state_;
}

void ScreenCopy::Request(bool damaged) {
    State& s = *state_;
    if (s.frame) zwlr_screencopy_frame_v1_destroy(s.frame);
    s.frame = zwlr_screencopy_manager_v1_capture_output(s.manager, 0, s.output);
    s.described = s.done = s.failed = false;
    zwlr_screencopy_frame_v1_add_listener(s.frame, &kFrame, state_);
    while (!s.described && !s.done)
        if (wl_display_roundtrip(display_) < 0) throw std::runtime_error("the compositor went away");
    if (s.done) return;
    const std::size_t bytes = static_cast<std::size_t>(s.stride) * static_cast<std::size_t>(s.height);
    if (!s.buffer || bytes != s.bytes) {
        if (s.buffer) wl_buffer_destroy(s.buffer);
        if (s.pixels) munmap(s.pixels, s.bytes);
        const int fd = memfd_create("copy", MFD_CLOEXEC);
        if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) throw std::runtime_error("cannot make a buffer");
        s.pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        wl_shm_pool* pool = wl_shm_create_pool(s.shm, fd, static_cast<int32_t>(bytes));
        s.buffer = wl_shm_pool_create_buffer(pool, 0, s.width, s.height, s.stride, s.format);
        wl_shm_pool_destroy(pool);
        close(fd);
        s.bytes = bytes;
    }
    if (damaged)
        zwlr_screencopy_frame_v1_copy_with_damage(s.frame, s.buffer);
    else
        zwlr_screencopy_frame_v1_copy(s.frame, s.buffer);
    wl_display_flush(display_);
}

void ScreenCopy::RequestDamagedFrame() { Request(true); }

bool ScreenCopy::WaitForFrame(double timeout_ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double, std::milli>(timeout_ms);
    while (!state_->done) {
        const double left = std::chrono::duration<double, std::milli>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd in{wl_display_get_fd(display_), POLLIN, 0};
        if (poll(&in, 1, static_cast<int>(left) + 1) > 0 && wl_display_dispatch(display_) < 0)
            throw std::runtime_error("the compositor went away");
    }
    return !state_->failed;
}

Image ScreenCopy::Capture() {
    Request(false);
    if (!WaitForFrame(5000)) return {};
    const State& s = *state_;
    Image image;
    image.width = s.width;
    image.height = s.height;
    image.pixels.resize(static_cast<std::size_t>(s.width * s.height));
    // 32-bit pixels, blue in the low byte (XRGB/ARGB) or red (XBGR/ABGR).
    const bool red_low = s.format == WL_SHM_FORMAT_XBGR8888 || s.format == WL_SHM_FORMAT_ABGR8888;
    for (int y = 0; y < s.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(s.pixels) + y * s.stride);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t p = row[x];
            const int lo = static_cast<int>(p & 0xFF), mid = static_cast<int>((p >> 8) & 0xFF),
                      hi = static_cast<int>((p >> 16) & 0xFF);
            image.pixels[static_cast<std::size_t>(y * s.width + x)] = red_low ? Rgb{lo, mid, hi} : Rgb{hi, mid, lo};
        }
    }
    return image;
}

}  // namespace wayland
