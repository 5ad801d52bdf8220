// Which keysym a key gives in a given modifier state, by the core
// protocol's rules: two groups of two keysyms a key, the group chosen by
// Mode_switch, the keysym within it by Shift, Lock and Num_Lock. No X
// headers: the map arrives as plain numbers.
#pragma once

#include <cstdint>
#include <vector>

namespace x11 {

struct CoreKeymap {
    enum class Lock { Ignored, CapsLock, ShiftLock };

    int min_keycode = 8;
    int per_keycode = 0;                 // keysyms listed for each keycode
    std::vector<std::uint32_t> keysyms;  // per_keycode of them for each keycode from min_keycode on
    std::uint16_t mode_switch = 0;       // the modifier masks that carry these keys
    std::uint16_t num_lock = 0;
    Lock lock = Lock::Ignored;           // what the Lock modifier means

    // Works out the three modifiers from the modifier map: eight modifiers
    // (Shift, Lock, Control, Mod1 to Mod5) of per_modifier keycodes each.
    void read_modifiers(const std::uint8_t* keycodes, int per_modifier);
    // The keysym for keycode in state (the event's modifier mask); 0 for
    // none.
    std::uint32_t keysym(int keycode, std::uint16_t state) const;

private:
    bool has(int keycode, std::uint32_t keysym) const;
};

}  // namespace x11
