// A short piece of typed text that never touches the heap and is wiped when
// it goes out of scope or is overwritten, so no stray copy of a password is
// left behind in freed memory.
#pragma once

#include <cstddef>
#include <string_view>

// The most characters a password has: what the password box holds.
inline constexpr int kMaxPasswordChars = 16;

class SecretText {
public:
    // Every character takes at most four bytes in UTF-8, lower-cased or not.
    static constexpr std::size_t kCapacity = kMaxPasswordChars * 4;

    SecretText() = default;
    explicit SecretText(std::string_view text) { assign(text); }
    SecretText(const SecretText& other) { assign(other.view()); }
    SecretText& operator=(const SecretText& other);
    ~SecretText() { wipe(); }

    // Keeps as much of text as fits; callers never hand over more than
    // the password box can hold.
    void assign(std::string_view text);
    // Adds all of text, or nothing when it does not fit.
    bool append(std::string_view text);
    void wipe();

    std::string_view view() const { return {bytes_, length_}; }
    const char* data() const { return bytes_; }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }

    friend bool operator==(const SecretText& a, const SecretText& b) { return a.view() == b.view(); }
    friend bool operator!=(const SecretText& a, const SecretText& b) { return !(a == b); }

private:
    char bytes_[kCapacity] = {};
    std::size_t length_ = 0;
};

// Zeroes memory in a way the optimiser may not remove as a dead store.
void WipeBytes(void* data, std::size_t size);
