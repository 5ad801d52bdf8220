// Compose sequences (dead keys, the Multi key) through xkbcommon's compose
// tables for the user's locale, for every backend that reads keysyms.
#pragma once

#include <cstdint>

#include "platform/dialog/Key.h"

struct xkb_compose_state;

namespace keys {

class Composer {
public:
    Composer() = default;
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;
    ~Composer();

    // A pressed key, by its keysym and the character it types on its own,
    // as the dialog gets it: the key itself, or at the end of a sequence
    // what the sequence makes; false at its start or in its middle, and
    // for a broken one. The table is read at the first key that can start
    // a sequence, so a run that never types one pays nothing.
    bool type(std::uint32_t keysym, char32_t code_point, dialog::Key* key);

private:
    bool load();

    xkb_compose_state* state_ = nullptr;
    bool tried_ = false;
};

}  // namespace keys
