// Key and button routing: focus, Tab order, access keys, the password box.
#include "platform/x11/Input.h"

#include <cctype>

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/x11/Window.h"

namespace x11 {
namespace {

constexpr int kBackspace = 8;
constexpr int kReturn = 13;

void Press(ui::Window* w, int control) {
    if (w->controls[control].enabled) w->events->on_click(control);
}

// A character on its way into the box: the handler sees it first and may
// change or drop it; then the box inserts it or, for Backspace, erases.
void TypeIntoBox(ui::Window* w, int control, int code) {
    w->events->on_key_press(control, code);
    Control& c = w->controls[control];
    bool changed = false;
    if (code == kBackspace)
        changed = c.box.EraseBefore();
    else if (code >= 0x20 && code != 0x7F)
        changed = c.box.Insert(static_cast<char32_t>(code), c.desc->max_length);
    Invalidate(w);
    if (changed) w->events->on_change(control);
}

void EditBox(ui::Window* w, int control, KeySym key) {
    Control& c = w->controls[control];
    switch (key) {
    case XK_Left: case XK_KP_Left: c.box.MoveCaret(c.box.caret() - 1); break;
    case XK_Right: case XK_KP_Right: c.box.MoveCaret(c.box.caret() + 1); break;
    case XK_Home: case XK_KP_Home: c.box.MoveCaret(0); break;
    case XK_End: case XK_KP_End: c.box.MoveCaret(c.box.length()); break;
    case XK_Delete: case XK_KP_Delete:
        if (c.box.EraseAfter()) {
            Invalidate(w);
            w->events->on_change(control);
        }
        return;
    default: return;
    }
    Invalidate(w);
}

void KeyToBox(ui::Window* w, int control, KeySym key) {
    if (key == XK_Return || key == XK_KP_Enter) return TypeIntoBox(w, control, kReturn);
    if (key == XK_BackSpace) return TypeIntoBox(w, control, kBackspace);
    const std::uint32_t ucs = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(key));
    if (ucs >= 0x20 && ucs != 0x7F) return TypeIntoBox(w, control, static_cast<int>(ucs));
    EditBox(w, control, key);
}

int ControlAt(ui::Window* w, int root_x, int root_y) {
    const int x = root_x - w->outer.x, y = root_y - w->outer.y;
    const int bottom = w->frame + w->client_height();
    if (y >= bottom) return -1;
    // The title label's box overlaps the labels below it; it takes the click.
    for (std::size_t i = 0; i < w->controls.size(); ++i)
        if ((w->controls[i].desc->flags & ui::kHelpCursor) && w->controls[i].rect.contains(x, y))
            return static_cast<int>(i);
    for (std::size_t i = 0; i < w->controls.size(); ++i) {
        const Control& c = w->controls[i];
        if (c.desc->kind != ui::ControlKind::GroupBox && c.rect.contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

void HandleAccessKey(ui::Window* w, char key) {
    key = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    for (std::size_t i = 0; i < w->controls.size(); ++i) {
        const Control& c = w->controls[i];
        if (c.access_key() != key) continue;
        if (c.desc->kind == ui::ControlKind::PushButton) {
            Press(w, static_cast<int>(i));
        } else if (c.desc->kind == ui::ControlKind::Label) {
            MoveFocus(w, static_cast<int>(i), +1);
        }
        return;
    }
}

void HandleKey(XKeyEvent& event) {
    ui::Window* w = DialogWindow();
    if (!w) return;
    KeySym key = NoSymbol;
    char ignored[8];
    XLookupString(&event, ignored, sizeof ignored, &key, nullptr);

    if (key == XK_Tab || key == XK_ISO_Left_Tab || key == XK_KP_Tab) {
        const bool back = key == XK_ISO_Left_Tab || (event.state & ShiftMask);
        MoveFocus(w, w->focus, back ? -1 : +1);
        return;
    }
    if (event.state & Mod1Mask) {
        const std::uint32_t ucs = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(key));
        if (ucs > 0x20 && ucs < 0x7F) HandleAccessKey(w, static_cast<char>(ucs));
        return;
    }
    // No clipboard and no other shortcuts; Escape does nothing either.
    if ((event.state & ControlMask) || key == XK_Escape || w->focus < 0) return;

    const Control& focused = w->controls[w->focus];
    if (focused.desc->kind == ui::ControlKind::PasswordBox) {
        KeyToBox(w, w->focus, key);
    } else if (focused.desc->kind == ui::ControlKind::PushButton &&
               (key == XK_space || key == XK_Return || key == XK_KP_Enter)) {
        Press(w, w->focus);
    }
}

// A button is pressed when the mouse goes up over the button it went down
// on; a click in the box puts the focus there.
void HandleButton(const XButtonEvent& event) {
    ui::Window* w = DialogWindow();
    if (!w || event.button != Button1) return;
    const int at = ControlAt(w, event.x_root, event.y_root);
    if (event.type == ButtonPress) {
        w->pushed = -1;
        if (at < 0) return;
        Control& c = w->controls[at];
        if (c.desc->kind == ui::ControlKind::PasswordBox) {
            SetFocus(w, at);
        } else if (c.desc->kind == ui::ControlKind::PushButton && c.enabled) {
            SetFocus(w, at);
            c.pushed = true;
            w->pushed = at;
            Invalidate(w);
        } else if (c.desc->kind == ui::ControlKind::Label) {
            w->pushed = at;
        }
        return;
    }
    const int pushed = w->pushed;
    w->pushed = -1;
    if (pushed < 0) return;
    w->controls[pushed].pushed = false;
    Invalidate(w);
    if (pushed != at) return;
    if (w->controls[pushed].desc->kind == ui::ControlKind::PushButton)
        Press(w, pushed);
    else if (w->controls[pushed].desc->flags & ui::kHelpCursor)
        w->events->on_click(pushed);
}

}  // namespace x11
