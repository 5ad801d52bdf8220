// Painting and editing of the hand-drawn controls.
#include "platform/x11/Controls.h"

#include <cctype>

#include <X11/xpm.h>

#include "platform/x11/Utf8.h"
#include "umbrafold-32.xpm"

namespace x11 {
namespace {

XftFont* FontOf(const Control& control) { return OpenFont(control.desc->font); }

}  // namespace

BoxText::BoxText(BoxText&& other) noexcept : length_(other.length_), caret_(other.caret_) {
    for (int i = 0; i < length_; ++i) chars_[i] = other.chars_[i];
    other.Wipe();
}

SecretText BoxText::Utf8() const {
    SecretText out;
    for (int i = 0; i < length_; ++i) AppendUtf8(out, chars_[i]);
    return out;
}

bool BoxText::Assign(const SecretText& utf8, int limit) {
    char32_t fresh[kMaxBoxChars] = {};
    int count = 0;
    const std::string_view text = utf8.view();
    for (std::size_t at = 0; at < text.size() && count < limit && count < kMaxBoxChars;)
        fresh[count++] = DecodeUtf8(text, &at);
    bool same = count == length_;
    for (int i = 0; same && i < count; ++i) same = fresh[i] == chars_[i];
    if (!same) {
        Wipe();
        for (int i = 0; i < count; ++i) chars_[i] = fresh[i];
        length_ = count;
        caret_ = count;
    }
    WipeBytes(fresh, sizeof fresh);
    return !same;
}

bool BoxText::Insert(char32_t c, int limit) {
    if (length_ >= limit || length_ >= kMaxBoxChars) return false;
    for (int i = length_; i > caret_; --i) chars_[i] = chars_[i - 1];
    chars_[caret_++] = c;
    ++length_;
    return true;
}

bool BoxText::EraseBefore() {
    if (caret_ == 0) return false;
    --caret_;
    return EraseAfter();
}

bool BoxText::EraseAfter() {
    if (caret_ >= length_) return false;
    for (int i = caret_; i + 1 < length_; ++i) chars_[i] = chars_[i + 1];
    chars_[--length_] = 0;
    return true;
}

void BoxText::Wipe() {
    WipeBytes(chars_, sizeof chars_);
    length_ = caret_ = 0;
}

char Control::access_key() const {
    if (access_key_at < 0) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[static_cast<std::size_t>(access_key_at)])));
}

void SetCaption(Control& control, const char* text) {
    control.caption.clear();
    control.access_key_at = -1;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '&' && p[1] && p[1] != '&') {
            control.access_key_at = static_cast<int>(control.caption.size());
            continue;
        }
        if (*p == '&') ++p;
        control.caption += *p;
    }
}

void FitToText(Control& control) {
    if (!(control.desc->flags & ui::kAutoSize)) return;
    XftFont* font = FontOf(control);
    control.rect.w = TextWidth(font, control.caption);
    control.rect.h = font->ascent + font->descent;
}

void PaintIcon(Canvas& canvas, int x, int y) {
    static Pixmap icon = 0, mask = 0;
    static bool tried = false;
    if (!tried) {
        tried = true;
        XpmAttributes attributes{};
        attributes.valuemask = XpmVisual | XpmColormap | XpmDepth;
        attributes.visual = g_x.visual;
        attributes.colormap = g_x.colormap;
        attributes.depth = static_cast<unsigned>(g_x.depth);
        if (XpmCreatePixmapFromData(g_x.display, g_x.root, const_cast<char**>(umbrafold_icon_32),
                                    &icon, &mask, &attributes) != XpmSuccess)
            icon = 0;
    }
    if (icon) canvas.CopyArea(icon, mask, 32, 32, x, y);
}

static void PaintLabel(Canvas& canvas, const Control& c) {
    const unsigned flags = c.desc->flags;
    if (flags & ui::kOpaque) canvas.Fill(c.rect, c.back);
    if (flags & ui::kBorder) canvas.DrawFrame(c.rect, Frame::Flat);
    XftFont* font = FontOf(c);
    const int inset = (flags & ui::kBorder) ? 1 : 0;
    int x = c.rect.x + inset;
    if (flags & ui::kCentred) x = c.rect.x + (c.rect.w - TextWidth(font, c.caption)) / 2;
    canvas.Text(x, c.rect.y + inset, font, ResolveColour(c.desc->fore, kWindowText), c.caption,
                c.access_key_at);
}

static void PaintBox(Canvas& canvas, const Control& c, bool focused) {
    canvas.Fill(c.rect, kWindowBack);
    canvas.DrawFrame(c.rect, Frame::Sunken);
    XftFont* font = FontOf(c);
    static const std::string kStars(kMaxBoxChars, '*');
    const int x = c.rect.x + 4;
    const int y = c.rect.y + (c.rect.h - (font->ascent + font->descent)) / 2;
    canvas.Text(x, y, font, kWindowText, std::string_view(kStars).substr(0, static_cast<std::size_t>(c.box.length())));
    if (focused) {
        const int caret_x = x + TextWidth(font, std::string_view(kStars).substr(0, static_cast<std::size_t>(c.box.caret())));
        canvas.Fill({caret_x, y, 1, font->ascent + font->descent}, kWindowText);
    }
}

static void PaintButton(Canvas& canvas, const Control& c, bool focused) {
    canvas.Fill(c.rect, kFace);
    Rect face = c.rect;
    if (focused) {
        // The focused button wears an extra black ring, as the default one does.
        canvas.DrawFrame(face, Frame::Flat);
        face = {face.x + 1, face.y + 1, face.w - 2, face.h - 2};
    }
    canvas.DrawFrame(face, c.pushed ? Frame::Pushed : Frame::Raised);
    XftFont* font = FontOf(c);
    const int shift = c.pushed ? 1 : 0;
    const int x = c.rect.x + (c.rect.w - TextWidth(font, c.caption)) / 2 + shift;
    const int y = c.rect.y + (c.rect.h - (font->ascent + font->descent)) / 2 + shift;
    if (c.enabled) {
        canvas.Text(x, y, font, kWindowText, c.caption, c.access_key_at);
    } else {
        // Engraved: a white copy one pixel down and right, grey on top.
        canvas.Text(x + 1, y + 1, font, kHighlight, c.caption, c.access_key_at);
        canvas.Text(x, y, font, kShadow, c.caption, c.access_key_at);
    }
    if (focused) canvas.DottedRect({face.x + 3, face.y + 3, face.w - 6, face.h - 6});
}

static void PaintGroup(Canvas& canvas, const Control& c) {
    XftFont* font = FontOf(c);
    const int half = (font->ascent + font->descent) / 2;
    canvas.DrawFrame({c.rect.x, c.rect.y + half, c.rect.w, c.rect.h - half}, Frame::Etched);
    const int width = TextWidth(font, c.caption);
    canvas.Fill({c.rect.x + 6, c.rect.y, width + 4, font->ascent + font->descent}, kFace);
    canvas.Text(c.rect.x + 8, c.rect.y, font, kWindowText, c.caption, c.access_key_at);
}

void PaintControl(Canvas& canvas, const Control& control, bool focused) {
    switch (control.desc->kind) {
    case ui::ControlKind::Label: PaintLabel(canvas, control); break;
    case ui::ControlKind::PasswordBox: PaintBox(canvas, control, focused); break;
    case ui::ControlKind::PushButton: PaintButton(canvas, control, focused); break;
    case ui::ControlKind::GroupBox: PaintGroup(canvas, control); break;
    case ui::ControlKind::Image: PaintIcon(canvas, control.rect.x, control.rect.y); break;
    }
}

}  // namespace x11
