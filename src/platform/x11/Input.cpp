// X key and button events as the dialog engine takes them.
#include "platform/x11/Input.h"

#include <X11/Xutil.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/dialog/Key.h"
#include "platform/x11/Window.h"
#include "platform/xkb/Compose.h"

namespace x11 {

void handle_key(XKeyEvent& event) {
    ui::Window* w = dialog_window();
    if (!w) return;
    // The core keymap's keysym for the key in this state; xkbcommon gives
    // the character, the same way on every backend.
    KeySym keysym = NoSymbol;
    char ignored[8];
    XLookupString(&event, ignored, sizeof ignored, &keysym, nullptr);
    // A dead key waits for the next one, and the pair types one character.
    static keys::Composer composer;
    const keys::Typed typed = composer.feed(static_cast<std::uint32_t>(keysym));
    if (typed.outcome == keys::Typed::Swallowed) return;
    dialog::Key key;
    key.keysym = typed.outcome == keys::Typed::Composed ? typed.keysym : static_cast<std::uint32_t>(keysym);
    key.code_point = typed.outcome == keys::Typed::Composed ? typed.code_point : xkb_keysym_to_utf32(key.keysym);
    if (event.state & ShiftMask) key.modifiers |= dialog::kShift;
    if (event.state & ControlMask) key.modifiers |= dialog::kControl;
    if (event.state & Mod1Mask) key.modifiers |= dialog::kAlt;
    w->form->key(key);
}

void handle_button(const XButtonEvent& event) {
    ui::Window* w = dialog_window();
    if (!w || event.button != Button1) return;
    const int x = event.x_root - w->outer.x, y = event.y_root - w->outer.y;
    if (event.type == ButtonPress)
        w->form->press(x, y);
    else
        w->form->release(x, y);
}

}  // namespace x11
