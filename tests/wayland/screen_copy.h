// What the first output shows, copied in-process through wlroots'
// screencopy: a whole frame, or the next frame that changes anything.
#pragma once

#include <cstdint>
#include <string>

#include "image.h"

struct wl_buffer;
struct wl_display;
struct wl_output;
struct wl_shm;
struct zwlr_screencopy_frame_v1;
struct zwlr_screencopy_manager_v1;

namespace wayland {

class ScreenCopy {
public:
    explicit ScreenCopy(const std::string& socket);
    ~ScreenCopy();
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    // The output's next frame; empty if the compositor would not copy it.
    Image Capture();
    // Asks for the next frame that has damage, and returns at once.
    void RequestDamagedFrame();
    // Waits up to timeout_ms for that frame; true once it has come.
    bool WaitForFrame(double timeout_ms);

    struct State;

private:
    void Request(bool damaged);

    wl_display* display_ = nullptr;
    State* state_ = nullptr;
};

}  // namespace wayland
