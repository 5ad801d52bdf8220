// Wiping storage for typed text.
#include "lock/SecretText.h"

#include <cstring>

void WipeBytes(void* data, std::size_t size) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    while (size--) *p++ = 0;
}

SecretText& SecretText::operator=(const SecretText& other) {
    if (this != &other) assign(other.view());
    return *this;
}

void SecretText::assign(std::string_view text) {
    wipe();
    if (text.size() > kCapacity) text = text.substr(0, kCapacity);
    append(text);
}

bool SecretText::append(std::string_view text) {
    if (text.size() > kCapacity - length_) return false;
    std::memcpy(bytes_ + length_, text.data(), text.size());
    length_ += text.size();
    return true;
}

void SecretText::wipe() {
    WipeBytes(bytes_, sizeof bytes_);
    length_ = 0;
}
