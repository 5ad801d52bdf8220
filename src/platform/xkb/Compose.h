// Compose sequences (dead keys, the Multi key) through xkbcommon's compose
// tables for the user's locale, for every backend that reads keysyms.
#pragma once

#include <cstdint>

struct xkb_compose_state;

namespace keys {

struct Typed {
    enum Outcome {
        Key,       // not part of a sequence: the key types what it says
        Swallowed, // the start or middle of a sequence, or a broken one
        Composed,  // a sequence ended: keysym and code point are its result
    } outcome = Key;
    std::uint32_t keysym = 0;
    char32_t code_point = 0;
};

class Composer {
public:
    Composer() = default;
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;
    ~Composer();

    // Feeds the keysym of a pressed key. The table is read at the first key
    // that can start a sequence, so a run that never types one pays nothing.
    Typed feed(std::uint32_t keysym);

private:
    bool load();

    xkb_compose_state* state_ = nullptr;
    bool tried_ = false;
};

}  // namespace keys
