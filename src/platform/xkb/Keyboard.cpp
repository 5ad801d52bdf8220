// Keys through an xkbcommon keymap and state.
#include "platform/xkb/Keyboard.h"

#include <xkbcommon/xkbcommon.h>

namespace keys {

Keyboard::~Keyboard() {
    if (state_) xkb_state_unref(state_);
    if (keymap_) xkb_keymap_unref(keymap_);
    if (context_) xkb_context_unref(context_);
}

bool Keyboard::set_keymap(const char* text, std::size_t size) {
    if (!context_)
        context_ = xkb_context_new(static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (!context_) return false;
    // The text may end in a terminating zero, which is not part of it.
    while (size > 0 && text[size - 1] == '\0') --size;
    xkb_keymap* keymap = xkb_keymap_new_from_buffer(context_, text, size, XKB_KEYMAP_FORMAT_TEXT_V1,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) return false;
    xkb_state* state = xkb_state_new(keymap);
    if (!state) {
        xkb_keymap_unref(keymap);
        return false;
    }
    if (state_) xkb_state_unref(state_);
    if (keymap_) xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    state_ = state;
    return true;
}

void Keyboard::set_modifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                             std::uint32_t group) {
    if (state_) xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}

bool Keyboard::press(std::uint32_t keycode, dialog::Key* key) {
    if (!state_) return false;
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state_, keycode);
    if (keysym == XKB_KEY_NoSymbol) return false;
    *key = {};
    if (!composer_.type(keysym, xkb_state_key_get_utf32(state_, keycode), key)) return false;
    const auto active = [this](const char* name) {
        return xkb_state_mod_name_is_active(state_, name, XKB_STATE_MODS_EFFECTIVE) > 0;
    };
    if (active(XKB_MOD_NAME_SHIFT)) key->modifiers |= dialog::kShift;
    if (active(XKB_MOD_NAME_CTRL)) key->modifiers |= dialog::kControl;
    if (active(XKB_MOD_NAME_ALT)) key->modifiers |= dialog::kAlt;
    return true;
}

bool Keyboard::repeats(std::uint32_t keycode) const { return keymap_ && xkb_keymap_key_repeats(keymap_, keycode); }

}  // namespace keys
