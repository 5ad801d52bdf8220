// The dialog engine: routing keys and clicks to the controls as a dialog
// of the classic desktop routes them, and carrying out what the windows
// above ask of the controls.
#include "platform/dialog/Form.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include "platform/dialog/ClassicLook.h"
#include "platform/dialog/DialogFont.h"
#include "platform/dialog/Palette.h"

namespace dialog {
namespace {

void set_caption_of(Control& control, const char* text) {
    char caption[128];
    control.access_key_at = parse_caption(text, caption, sizeof caption);
    control.caption = caption;
}

bool is_kind(const Control& c, ui::ControlKind kind) { return c.desc->kind == kind; }

char access_key_in(const Control& c) {
    if (c.access_key_at < 0) return 0;
    const char key = c.caption[static_cast<std::size_t>(c.access_key_at)];
    return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
}

}  // namespace

Form::Form(const ui::WindowDesc& desc, ui::FormEvents& events, Host& host, double dpi)
    : desc_(desc),
      events_(events),
      host_(host),
      dpi_(dpi),
      frame_(twips_to_pixels(desc.frame, dpi)),
      width_(twips_to_pixels(desc.client_width, dpi) + 2 * frame_),
      height_(twips_to_pixels(desc.client_height, dpi) + 2 * frame_),
      controls_(desc.control_count) {
    // The password box's characters live in here.
    ui::keep_in_memory(controls_.data(), controls_.size() * sizeof(Control));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Control& c = controls_[i];
        c.desc = &desc.controls[i];
        c.rect = control_rect(desc, static_cast<int>(i), dpi, dpi);
        c.rect.x += frame_;
        c.rect.y += frame_;
        c.back = resolve_colour(c.desc->back, kFace);
        c.enabled = !(c.desc->flags & ui::kDisabled);
        set_caption_of(c, c.desc->text);
    }
}

void Form::invalidate() {
    if (dirty_) return;
    dirty_ = true;
    host_.repaint_soon();
}

void Form::set_focus(int control) {
    if (control == focus_) return;
    focus_ = control;
    invalidate();
}

// Focus moves in tab order, skipping controls that cannot take it now.
void Form::move_focus(int from, int step) {
    const int next = next_in_tab_order(desc_, from, step, [this](int i) { return controls_[i].enabled; });
    if (next >= 0) set_focus(next);
}

void Form::press_button(int control) {
    if (controls_[control].enabled) events_.on_click(control);
}

// A character on its way into the box: the handler sees it first and may
// change or drop it; then the box inserts it or, for Backspace, erases.
void Form::type_into_box(int control, int code) {
    events_.on_key_press(control, code);
    Control& c = controls_[control];
    bool changed = false;
    if (code == kBackspace)
        changed = c.box.erase_before();
    else if (code >= 0 && is_printable(static_cast<char32_t>(code)))
        changed = c.box.insert(static_cast<char32_t>(code), c.desc->max_length);
    invalidate();
    if (changed) events_.on_change(control);
}

void Form::edit_box(int control, std::uint32_t keysym) {
    BoxText& box = controls_[control].box;
    switch (keysym) {
    case XKB_KEY_Left: case XKB_KEY_KP_Left: box.move_caret(box.caret() - 1); break;
    case XKB_KEY_Right: case XKB_KEY_KP_Right: box.move_caret(box.caret() + 1); break;
    case XKB_KEY_Home: case XKB_KEY_KP_Home: box.move_caret(0); break;
    case XKB_KEY_End: case XKB_KEY_KP_End: box.move_caret(box.length()); break;
    case XKB_KEY_Delete: case XKB_KEY_KP_Delete:
        if (box.erase_after()) {
            invalidate();
            events_.on_change(control);
        }
        return;
    default: return;
    }
    invalidate();
}

void Form::key_to_box(int control, const Key& key) {
    if (key.keysym == XKB_KEY_Return || key.keysym == XKB_KEY_KP_Enter) return type_into_box(control, kCarriageReturn);
    if (key.keysym == XKB_KEY_BackSpace) return type_into_box(control, kBackspace);
    if (is_printable(key.code_point))
        return type_into_box(control, static_cast<int>(key.code_point));
    edit_box(control, key.keysym);
}

void Form::key(const Key& key) {
    if (key.keysym == XKB_KEY_Tab || key.keysym == XKB_KEY_ISO_Left_Tab || key.keysym == XKB_KEY_KP_Tab) {
        const bool back = key.keysym == XKB_KEY_ISO_Left_Tab || (key.modifiers & kShift);
        move_focus(focus_, back ? -1 : +1);
        return;
    }
    if (key.modifiers & kAlt) {
        if (key.code_point > char32_t{kSpace} && key.code_point < char32_t{kDelete})
            access_key(static_cast<char>(key.code_point));
        return;
    }
    // No clipboard and no other shortcuts; Escape does nothing either.
    if ((key.modifiers & kControl) || key.keysym == XKB_KEY_Escape || focus_ < 0) return;

    const Control& focused = controls_[focus_];
    if (is_kind(focused, ui::ControlKind::PasswordBox)) {
        key_to_box(focus_, key);
    } else if (is_kind(focused, ui::ControlKind::PushButton) &&
               (key.keysym == XKB_KEY_space || key.keysym == XKB_KEY_Return || key.keysym == XKB_KEY_KP_Enter)) {
        press_button(focus_);
    }
}

void Form::access_key(char key) {
    if (key >= 'A' && key <= 'Z') key = static_cast<char>(key - 'A' + 'a');
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Control& c = controls_[i];
        if (access_key_in(c) != key) continue;
        if (is_kind(c, ui::ControlKind::PushButton))
            press_button(static_cast<int>(i));
        else if (is_kind(c, ui::ControlKind::Label))
            move_focus(static_cast<int>(i), +1);
        return;
    }
}

void Form::serve_queued_access_key() {
    const char key = queued_access_key_;
    queued_access_key_ = 0;
    if (key) access_key(key);
}

int Form::control_at(int x, int y) const {
    if (y >= client_bottom()) return -1;
    // The title label's box overlaps the labels below it; it takes the click.
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if ((controls_[i].desc->flags & ui::kHelpCursor) && controls_[i].rect.contains(x, y))
            return static_cast<int>(i);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Control& c = controls_[i];
        if (!is_kind(c, ui::ControlKind::GroupBox) && c.rect.contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

// A button is pressed when the mouse goes up over the button it went down
// on; a click in the box puts the focus there; the title label takes a
// click the same way a button does.
void Form::press(int x, int y) {
    pushed_ = -1;
    const int at = control_at(x, y);
    if (at < 0) return;
    Control& c = controls_[at];
    if (is_kind(c, ui::ControlKind::PasswordBox)) {
        set_focus(at);
    } else if (is_kind(c, ui::ControlKind::PushButton) && c.enabled) {
        set_focus(at);
        c.pushed = true;
        pushed_ = at;
        invalidate();
    } else if (is_kind(c, ui::ControlKind::Label)) {
        pushed_ = at;
    }
}

void Form::release(int x, int y) {
    const int pushed = pushed_;
    pushed_ = -1;
    if (pushed < 0) return;
    Control& c = controls_[pushed];
    c.pushed = false;
    invalidate();
    if (control_at(x, y) != pushed) return;
    if (is_kind(c, ui::ControlKind::PushButton))
        press_button(pushed);
    else if (c.desc->flags & ui::kHelpCursor)
        events_.on_click(pushed);
}

Rect Form::help_area() const {
    if (!fitted_) return {};
    for (const Control& c : controls_)
        if (c.desc->flags & ui::kHelpCursor) return c.rect;
    return {};
}

void Form::fit_labels(Painter& painter) {
    fitted_ = true;
    for (Control& c : controls_) {
        if (!(c.desc->flags & ui::kAutoSize)) continue;
        const ui::Font font = resolve_font(c.desc->font);
        c.rect.w = painter.text_width(font, c.caption);
        c.rect.h = painter.metrics(font).height();
    }
}

void Form::paint(Painter& painter) {
    if (!fitted_) fit_labels(painter);
    dirty_ = false;
    paint_dialog(*this, painter);
}

void Form::set_text(int control, const SecretText& text) {
    Control& c = controls_[control];
    if (!c.box.assign(text, c.desc->max_length)) return;
    invalidate();
    events_.on_change(control);
}

void Form::set_enabled(int control, bool on) {
    Control& c = controls_[control];
    if (c.enabled == on) return;
    c.enabled = on;
    invalidate();
    if (!on && focus_ == control) move_focus(control, +1);
}

void Form::set_caption(int control, const char* caption) {
    set_caption_of(controls_[control], caption);
    invalidate();
}

void Form::set_back_colour(int control, Colour colour) {
    controls_[control].back = resolve_colour(colour, kFace);
    invalidate();
}

void Form::set_outer_height(int twips) {
    outer_height_twips_ = twips;
    height_ = twips_to_pixels(twips, dpi_);
    host_.size_changed(width_, height_);
    invalidate();
}

void Form::set_dpi(double dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    frame_ = twips_to_pixels(desc_.frame, dpi);
    width_ = twips_to_pixels(desc_.client_width, dpi) + 2 * frame_;
    height_ = outer_height_twips_ ? twips_to_pixels(outer_height_twips_, dpi)
                                  : twips_to_pixels(desc_.client_height, dpi) + 2 * frame_;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Rect& r = controls_[i].rect;
        r = control_rect(desc_, static_cast<int>(i), dpi, dpi);
        r.x += frame_;
        r.y += frame_;
    }
    // Autosized labels fit their text again, in fonts of the new size.
    fitted_ = false;
    invalidate();
}

void Form::wipe() {
    for (Control& c : controls_) c.box.wipe();
}

}  // namespace dialog
