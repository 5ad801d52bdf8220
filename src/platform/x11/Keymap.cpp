// Fetching the core keyboard and modifier maps.
#include "platform/x11/Keymap.h"

#include <cstdlib>

#include "platform/x11/Display.h"
#include "platform/x11/KeysymRules.h"

namespace x11 {
namespace {

CoreKeymap g_keymap;
bool g_asked = false;
xcb_get_keyboard_mapping_cookie_t g_keys{};
xcb_get_modifier_mapping_cookie_t g_modifiers{};

void read_answers() {
    if (!g_asked) request_keymap();
    g_asked = false;
    xcb_get_keyboard_mapping_reply_t* keys = xcb_get_keyboard_mapping_reply(g_x.c, g_keys, nullptr);
    xcb_get_modifier_mapping_reply_t* modifiers = xcb_get_modifier_mapping_reply(g_x.c, g_modifiers, nullptr);
    if (keys) {
        const xcb_keysym_t* list = xcb_get_keyboard_mapping_keysyms(keys);
        g_keymap.min_keycode = xcb_get_setup(g_x.c)->min_keycode;
        g_keymap.per_keycode = keys->keysyms_per_keycode;
        g_keymap.keysyms.assign(list, list + xcb_get_keyboard_mapping_keysyms_length(keys));
    }
    if (modifiers)
        g_keymap.read_modifiers(xcb_get_modifier_mapping_keycodes(modifiers), modifiers->keycodes_per_modifier);
    std::free(keys);
    std::free(modifiers);
}

}  // namespace

void request_keymap() {
    if (g_asked) return;
    const xcb_setup_t* setup = xcb_get_setup(g_x.c);
    g_keys = xcb_get_keyboard_mapping(g_x.c, setup->min_keycode,
                                      static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1));
    g_modifiers = xcb_get_modifier_mapping(g_x.c);
    g_asked = true;
}

void keymap_changed(const xcb_mapping_notify_event_t& event) {
    if (event.request == XCB_MAPPING_KEYBOARD || event.request == XCB_MAPPING_MODIFIER) {
        // Replies to the questions already out are stale; read and drop.
        if (g_asked) read_answers();
        request_keymap();
    }
}

std::uint32_t keysym_of(const xcb_key_press_event_t& event) {
    if (g_asked || g_keymap.per_keycode == 0) read_answers();
    return g_keymap.keysym(event.detail, event.state);
}

}  // namespace x11
