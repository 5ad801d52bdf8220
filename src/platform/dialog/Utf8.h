// UTF-8 coding of single characters, into and out of wiping storage.
#pragma once

#include <cstddef>
#include <string_view>

#include "lock/SecretText.h"

namespace dialog {

// Decodes the character at text[*at] and moves *at past it; a malformed
// byte stands for itself.
char32_t decode_utf8(std::string_view text, std::size_t* at);

void append_utf8(SecretText& out, char32_t c);

}  // namespace dialog
