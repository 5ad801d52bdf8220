// UTF-8 coding.
#include "platform/dialog/Utf8.h"

namespace dialog {

char32_t decode_utf8(std::string_view text, std::size_t* at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(*at);
    std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra && *at + extra >= text.size()) extra = 0;
    char32_t c = extra ? static_cast<char32_t>(lead & (0x3F >> extra)) : lead;
    for (std::size_t i = 1; i <= extra; ++i) c = (c << 6) | (byte(*at + i) & 0x3F);
    *at += extra + 1;
    return c;
}

void append_utf8(SecretText& out, char32_t c) {
    char bytes[4];
    std::size_t n = 0;
    if (c < 0x80) {
        bytes[n++] = static_cast<char>(c);
    } else if (c < 0x800) {
        bytes[n++] = static_cast<char>(0xC0 | (c >> 6));
        bytes[n++] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes[n++] = static_cast<char>(0xE0 | (c >> 12));
        bytes[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes[n++] = static_cast<char>(0xF0 | (c >> 18));
        bytes[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (c & 0x3F));
    }
    out.append({bytes, n});
    WipeBytes(bytes, sizeof bytes);
}

}  // namespace dialog
