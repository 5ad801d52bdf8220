// The standard controls drawn by hand: label, password box, push button,
// group box and image. Each keeps its own state and paints itself.
#pragma once

#include <string>

#include "lock/SecretText.h"
#include "platform/ui.h"
#include "platform/x11/Display.h"
#include "platform/x11/Drawing.h"

namespace x11 {

inline constexpr int kMaxBoxChars = 64;

// The characters of a password box, kept as code points so that editing
// and the length limit count characters, not bytes.
class BoxText {
public:
    BoxText() = default;
    BoxText(const BoxText&) = delete;
    BoxText& operator=(const BoxText&) = delete;
    // Moving leaves nothing behind in the source.
    BoxText(BoxText&& other) noexcept;
    BoxText& operator=(BoxText&&) = delete;
    ~BoxText() { Wipe(); }

    SecretText Utf8() const;
    // Replaces the text; true when it changed.
    bool Assign(const SecretText& utf8, int limit);
    bool Insert(char32_t c, int limit);
    bool EraseBefore();  // Backspace
    bool EraseAfter();   // Delete
    void MoveCaret(int to) { caret_ = to < 0 ? 0 : (to > length_ ? length_ : to); }
    int caret() const { return caret_; }
    int length() const { return length_; }
    void Wipe();

private:
    char32_t chars_[kMaxBoxChars] = {};
    int length_ = 0;
    int caret_ = 0;
};

struct Control {
    const ui::ControlDesc* desc = nullptr;
    Rect rect;  // pixels, in the window's coordinates
    std::string caption;
    int access_key_at = -1;  // byte offset of the access key in caption
    Colour back = 0;
    bool enabled = true;
    bool pushed = false;  // a button held down by the mouse
    BoxText box;

    bool focusable() const {
        return desc->kind == ui::ControlKind::PasswordBox || desc->kind == ui::ControlKind::PushButton;
    }
    char access_key() const;
};

// Sets caption and access key from text with its '&' marker.
void SetCaption(Control& control, const char* text);

// Fits an autosized label to its text; needs the fonts, so it runs on the
// first paint rather than at start.
void FitToText(Control& control);

void PaintControl(Canvas& canvas, const Control& control, bool focused);

// The program icon, 32 pixels square, for the image control.
void PaintIcon(Canvas& canvas, int x, int y);

}  // namespace x11
