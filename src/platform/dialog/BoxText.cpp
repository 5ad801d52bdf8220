// Editing a password box's characters.
#include "platform/dialog/BoxText.h"

#include "platform/dialog/Utf8.h"

namespace dialog {

BoxText::BoxText(BoxText&& other) noexcept : length_(other.length_), caret_(other.caret_) {
    for (int i = 0; i < length_; ++i) chars_[i] = other.chars_[i];
    other.wipe();
}

SecretText BoxText::utf8() const {
    SecretText out;
    for (int i = 0; i < length_; ++i) append_utf8(out, chars_[i]);
    return out;
}

bool BoxText::assign(const SecretText& utf8, int limit) {
    char32_t fresh[kMaxPasswordChars] = {};
    int count = 0;
    const std::string_view text = utf8.view();
    for (std::size_t at = 0; at < text.size() && count < limit && count < kMaxPasswordChars;)
        fresh[count++] = decode_utf8(text, &at);
    bool same = count == length_;
    for (int i = 0; same && i < count; ++i) same = fresh[i] == chars_[i];
    if (!same) {
        wipe();
        for (int i = 0; i < count; ++i) chars_[i] = fresh[i];
        length_ = count;
        caret_ = count;
    }
    WipeBytes(fresh, sizeof fresh);
    return !same;
}

bool BoxText::insert(char32_t c, int limit) {
    if (length_ >= limit || length_ >= kMaxPasswordChars) return false;
    for (int i = length_; i > caret_; --i) chars_[i] = chars_[i - 1];
    chars_[caret_++] = c;
    ++length_;
    return true;
}

bool BoxText::erase_before() {
    if (caret_ == 0) return false;
    --caret_;
    return erase_after();
}

bool BoxText::erase_after() {
    if (caret_ >= length_) return false;
    for (int i = caret_; i + 1 < length_; ++i) chars_[i] = chars_[i + 1];
    chars_[--length_] = 0;
    return true;
}

void BoxText::wipe() {
    WipeBytes(chars_, sizeof chars_);
    length_ = caret_ = 0;
}

}  // namespace dialog
