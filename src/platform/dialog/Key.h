// A key press as the dialog engine takes it from any backend.
#pragma once

#include <cstdint>

#include "lock/CharacterCodes.h"

namespace dialog {

enum Modifier : unsigned {
    kShift = 1u << 0,
    kControl = 1u << 1,
    kAlt = 1u << 2,
};

struct Key {
    // An xkbcommon keysym; X11's keysyms are the same numbers.
    std::uint32_t keysym = 0;
    // The character the key types in the current state, 0 for none.
    char32_t code_point = 0;
    unsigned modifiers = 0;
};

// Whether a character types into a box rather than controls something.
inline bool is_printable(char32_t code) { return code >= char32_t{kSpace} && code != char32_t{kDelete}; }

}  // namespace dialog
