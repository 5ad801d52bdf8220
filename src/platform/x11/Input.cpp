// X key and button events as the dialog engine takes them.
#include "platform/x11/Input.h"

#include <xkbcommon/xkbcommon.h>

#include "platform/dialog/Key.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/Window.h"
#include "platform/xkb/Compose.h"

namespace x11 {

void handle_key(const xcb_key_press_event_t& event) {
    ui::Window* w = host::dialog_window();
    if (!w) return;
    // The core keymap's keysym for the key in this state; xkbcommon gives
    // the character, the same way on every backend.
    const std::uint32_t keysym = keysym_of(event);
    // A dead key waits for the next one, and the pair types one character.
    static keys::Composer composer;
    dialog::Key key;
    if (!composer.type(keysym, xkb_keysym_to_utf32(keysym), &key)) return;
    if (event.state & XCB_MOD_MASK_SHIFT) key.modifiers |= dialog::kShift;
    if (event.state & XCB_MOD_MASK_CONTROL) key.modifiers |= dialog::kControl;
    if (event.state & XCB_MOD_MASK_1) key.modifiers |= dialog::kAlt;
    w->form->key(key);
}

void handle_button(const xcb_button_press_event_t& event, bool pressed) {
    ui::Window* w = host::dialog_window();
    if (!w || event.detail != XCB_BUTTON_INDEX_1) return;
    const int x = event.root_x - native(w).outer.x, y = event.root_y - native(w).outer.y;
    if (pressed)
        w->form->press(x, y);
    else
        w->form->release(x, y);
}

}  // namespace x11
