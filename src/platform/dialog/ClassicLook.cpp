// The classic look: the grey face, raised, sunken and etched frames,
// engraved disabled text, underlined access keys, the caret and the dotted
// focus rectangle, drawn through any backend's Painter.
#include "platform/dialog/ClassicLook.h"

#include <algorithm>
#include <string_view>

#include "platform/dialog/DialogFont.h"
#include "platform/dialog/Palette.h"

namespace dialog {
namespace {

enum class Frame { Raised, Pushed, Sunken, Etched, Dialog, Flat };

// Pixels, as the classic look has them at every resolution: the box's
// text from its left edge, and a group box's caption from the box's left
// edge, on a gap of face colour that starts a little before it.
constexpr int kBoxTextInset = 4;
constexpr int kGroupCaptionInset = 8;
constexpr int kGroupGapInset = 6;
constexpr int kGroupGapPadding = 4;  // the gap's width beyond the caption's
// The dotted focus rectangle inside a button's raised frame.
constexpr int kFocusInset = 3;

Rect inset(const Rect& r, int by) { return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by}; }

// One ring of a 3D frame: top and left in one colour, bottom and right in
// the other.
void ring(Painter& p, const Rect& r, Colour top_left, Colour bottom_right) {
    p.fill({r.x, r.y, r.w - 1, 1}, top_left);
    p.fill({r.x, r.y, 1, r.h - 1}, top_left);
    p.fill({r.x, r.y + r.h - 1, r.w, 1}, bottom_right);
    p.fill({r.x + r.w - 1, r.y, 1, r.h}, bottom_right);
}

void draw_frame(Painter& p, const Rect& r, Frame frame) {
    switch (frame) {
    case Frame::Raised:
        ring(p, r, kHighlight, kDarkShadow);
        ring(p, inset(r, 1), kLight, kShadow);
        break;
    case Frame::Pushed:
        ring(p, r, kDarkShadow, kDarkShadow);
        ring(p, inset(r, 1), kShadow, kShadow);
        break;
    case Frame::Sunken:
        ring(p, r, kShadow, kHighlight);
        ring(p, inset(r, 1), kDarkShadow, kLight);
        break;
    case Frame::Etched:
        ring(p, r, kShadow, kHighlight);
        ring(p, inset(r, 1), kHighlight, kShadow);
        break;
    case Frame::Dialog:
        ring(p, r, kLight, kDarkShadow);
        ring(p, inset(r, 1), kHighlight, kShadow);
        ring(p, inset(r, 2), kFace, kFace);
        break;
    case Frame::Flat: ring(p, r, kDarkShadow, kDarkShadow); break;
    }
}

void dotted_rect(Painter& p, const Rect& r) {
    for (int x = r.x; x < r.x + r.w; x += 2) {
        p.fill({x, r.y, 1, 1}, kDarkShadow);
        p.fill({x, r.y + r.h - 1, 1, 1}, kDarkShadow);
    }
    for (int y = r.y; y < r.y + r.h; y += 2) {
        p.fill({r.x, y, 1, 1}, kDarkShadow);
        p.fill({r.x + r.w - 1, y, 1, 1}, kDarkShadow);
    }
}

// Text with its top-left corner at x, y; with an underline index, the
// character at that byte offset is underlined, as an access key is.
void draw_text(Painter& p, int x, int y, const ui::Font& font, Colour colour, std::string_view utf8,
               int underline = -1) {
    p.text(x, y, font, colour, utf8);
    if (underline < 0 || underline >= static_cast<int>(utf8.size())) return;
    const int ascent = p.metrics(font).ascent;
    const int from = x + p.text_width(font, utf8.substr(0, static_cast<std::size_t>(underline)));
    const int width = p.text_width(font, utf8.substr(static_cast<std::size_t>(underline), 1));
    p.fill({from, y + ascent + 1, width, 1}, colour);
}

void paint_label(Painter& p, const Control& c) {
    const unsigned flags = c.desc->flags;
    if (flags & ui::kOpaque) p.fill(c.rect, c.back);
    if (flags & ui::kBorder) draw_frame(p, c.rect, Frame::Flat);
    const ui::Font font = resolve_font(c.desc->font);
    const int inset_by = (flags & ui::kBorder) ? 1 : 0;
    int x = c.rect.x + inset_by;
    if (flags & ui::kCentred) x = c.rect.x + (c.rect.w - p.text_width(font, c.caption)) / 2;
    draw_text(p, x, c.rect.y + inset_by, font, resolve_colour(c.desc->fore, kWindowText), c.caption,
              c.access_key_at);
}

void paint_box(Painter& p, const Control& c, bool focused) {
    p.fill(c.rect, kWindowBack);
    draw_frame(p, c.rect, Frame::Sunken);
    const ui::Font font = resolve_font(c.desc->font);
    const int height = p.metrics(font).height();
    constexpr std::string_view kStars = "****************";
    static_assert(kStars.size() == kMaxPasswordChars);
    const int x = c.rect.x + kBoxTextInset;
    const int y = c.rect.y + (c.rect.h - height) / 2;
    p.text(x, y, font, kWindowText, kStars.substr(0, static_cast<std::size_t>(c.box.length())));
    if (focused) {
        const int caret_x = x + p.text_width(font, kStars.substr(0, static_cast<std::size_t>(c.box.caret())));
        p.fill({caret_x, y, 1, height}, kWindowText);
    }
}

void paint_button(Painter& p, const Control& c, bool focused) {
    p.fill(c.rect, kFace);
    Rect face = c.rect;
    if (focused) {
        // The focused button wears an extra black ring, as the default one does.
        draw_frame(p, face, Frame::Flat);
        face = inset(face, 1);
    }
    draw_frame(p, face, c.pushed ? Frame::Pushed : Frame::Raised);
    const ui::Font font = resolve_font(c.desc->font);
    const int shift = c.pushed ? 1 : 0;
    const int x = c.rect.x + (c.rect.w - p.text_width(font, c.caption)) / 2 + shift;
    const int y = c.rect.y + (c.rect.h - p.metrics(font).height()) / 2 + shift;
    if (c.enabled) {
        draw_text(p, x, y, font, kWindowText, c.caption, c.access_key_at);
    } else {
        // Engraved: a white copy one pixel down and right, grey on top.
        draw_text(p, x + 1, y + 1, font, kHighlight, c.caption, c.access_key_at);
        draw_text(p, x, y, font, kShadow, c.caption, c.access_key_at);
    }
    if (focused) dotted_rect(p, inset(face, kFocusInset));
}

void paint_group(Painter& p, const Control& c) {
    const ui::Font font = resolve_font(c.desc->font);
    const int height = p.metrics(font).height();
    const int half = height / 2;
    draw_frame(p, {c.rect.x, c.rect.y + half, c.rect.w, c.rect.h - half}, Frame::Etched);
    p.fill({c.rect.x + kGroupGapInset, c.rect.y, p.text_width(font, c.caption) + kGroupGapPadding, height}, kFace);
    draw_text(p, c.rect.x + kGroupCaptionInset, c.rect.y, font, kWindowText, c.caption, c.access_key_at);
}

void paint_control(Painter& p, const Control& c, bool focused) {
    switch (c.desc->kind) {
    case ui::ControlKind::Label: paint_label(p, c); break;
    case ui::ControlKind::PasswordBox: paint_box(p, c, focused); break;
    case ui::ControlKind::PushButton: paint_button(p, c, focused); break;
    case ui::ControlKind::GroupBox: paint_group(p, c); break;
    case ui::ControlKind::Image: p.icon(c.rect.x, c.rect.y); break;
    }
}

}  // namespace

void paint_dialog(const Form& form, Painter& p) {
    const Rect all{0, 0, form.width(), form.height()};
    p.fill(all, kFace);
    const std::vector<Control>& controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].rect.y >= form.client_bottom()) continue;  // folded away
        paint_control(p, controls[i], static_cast<int>(i) == form.focus());
    }
    // Last, so controls cut off at the lower edge do not spill over the frame.
    draw_frame(p, all, Frame::Dialog);
    p.present(all);
}

}  // namespace dialog
