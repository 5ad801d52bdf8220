// A keyboard described by a keymap in xkbcommon's text form, as a Wayland
// compositor hands it over: its state, what a key types, compose sequences.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/dialog/Key.h"
#include "platform/xkb/Compose.h"

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace keys {

class Keyboard {
public:
    Keyboard() = default;
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;
    ~Keyboard();

    // Replaces the keymap and forgets the old state; false when the text
    // does not compile, and the old keymap stays.
    bool set_keymap(const char* text, std::size_t size);
    void set_modifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked, std::uint32_t group);

    // A key pressed, by its xkb keycode, as the dialog takes it; false when
    // it gives the dialog nothing (no keymap yet, or the middle of a
    // compose sequence).
    bool press(std::uint32_t keycode, dialog::Key* key);
    // Whether holding the key down types it again.
    bool repeats(std::uint32_t keycode) const;

private:
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
    Composer composer_;
};

}  // namespace keys
