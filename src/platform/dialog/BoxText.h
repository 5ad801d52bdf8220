// The characters of a password box, kept as code points so that editing
// and the length limit count characters, not bytes. Wiped when replaced,
// moved from or destroyed.
#pragma once

#include "lock/SecretText.h"

namespace dialog {

class BoxText {
public:
    BoxText() = default;
    BoxText(const BoxText&) = delete;
    BoxText& operator=(const BoxText&) = delete;
    BoxText(BoxText&& other) noexcept;
    BoxText& operator=(BoxText&&) = delete;
    ~BoxText() { wipe(); }

    SecretText utf8() const;
    // Replaces the text, cut to limit characters; true when it changed.
    bool assign(const SecretText& utf8, int limit);
    bool insert(char32_t c, int limit);
    bool erase_before();  // Backspace
    bool erase_after();   // Delete
    void move_caret(int to) { caret_ = to < 0 ? 0 : (to > length_ ? length_ : to); }
    int caret() const { return caret_; }
    int length() const { return length_; }
    void wipe();

private:
    char32_t chars_[kMaxPasswordChars] = {};
    int length_ = 0;
    int caret_ = 0;
};

}  // namespace dialog
