// Another program of the session: a window that sway focuses, which
// counts the keyboard focus it gets and loses and every key it is sent.
#pragma once

#include <string>

#include "image.h"

struct wl_display;

namespace wayland {

class FocusProbe {
public:
    // The window's colour, which no locker draws.
    static constexpr Rgb kColour{0x12, 0x34, 0x56};

    // Connects to the compositor's socket and maps a small window.
    explicit FocusProbe(const std::string& socket);
    ~FocusProbe();
    FocusProbe(const FocusProbe&) = delete;
    FocusProbe& operator=(const FocusProbe&) = delete;

    // Reads what the compositor has sent so far.
    void Pump();
    bool Focused() const;
    int Keys() const;

    struct State;

private:
    wl_display* display_ = nullptr;
    State* state_ = nullptr;
};

}  // namespace wayland
