// The core protocol's keysym selection.
#include "platform/x11/KeysymRules.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

namespace x11 {
namespace {

constexpr std::uint16_t kShift = 1 << 0, kLock = 1 << 1;
constexpr int kFirstMod = 3;  // Shift, Lock and Control come before Mod1

bool is_keypad(std::uint32_t keysym) {
    return (keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_Equal) ||
           (keysym >= 0x11000000 && keysym <= 0x1100FFFF);  // vendors' keypad keys
}

// A letter with two cases in its lower and its upper form; anything else
// as it is, in both.
void cases_of(std::uint32_t keysym, std::uint32_t* lower, std::uint32_t* upper) {
    *lower = xkb_keysym_to_lower(keysym);
    *upper = xkb_keysym_to_upper(keysym);
}

}  // namespace

bool CoreKeymap::has(int keycode, std::uint32_t keysym) const {
    const int index = keycode - min_keycode;
    if (index < 0 || per_keycode <= 0 || static_cast<std::size_t>((index + 1) * per_keycode) > keysyms.size())
        return false;
    for (int i = 0; i < per_keycode; ++i)
        if (keysyms[static_cast<std::size_t>(index * per_keycode + i)] == keysym) return true;
    return false;
}

void CoreKeymap::read_modifiers(const std::uint8_t* keycodes, int per_modifier) {
    mode_switch = num_lock = 0;
    lock = Lock::Ignored;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < per_modifier; ++i) {
            const int keycode = keycodes[modifier * per_modifier + i];
            if (keycode == 0) continue;
            if (modifier == 1) {
                if (has(keycode, XKB_KEY_Caps_Lock))
                    lock = Lock::CapsLock;
                else if (has(keycode, XKB_KEY_Shift_Lock) && lock == Lock::Ignored)
                    lock = Lock::ShiftLock;
            }
            if (modifier < kFirstMod) continue;
            if (has(keycode, XKB_KEY_Mode_switch)) mode_switch |= static_cast<std::uint16_t>(1 << modifier);
            if (has(keycode, XKB_KEY_Num_Lock)) num_lock |= static_cast<std::uint16_t>(1 << modifier);
        }
}

std::uint32_t CoreKeymap::keysym(int keycode, std::uint16_t state) const {
    const int index = keycode - min_keycode;
    if (index < 0 || per_keycode <= 0 || static_cast<std::size_t>((index + 1) * per_keycode) > keysyms.size())
        return XKB_KEY_NoSymbol;
    const std::uint32_t* list = &keysyms[static_cast<std::size_t>(index * per_keycode)];
    int length = per_keycode;
    while (length > 0 && list[length - 1] == XKB_KEY_NoSymbol) --length;
    if (length == 0) return XKB_KEY_NoSymbol;

    // The list as four: K is K NoSymbol K NoSymbol, K1 K2 is K1 K2 K1 K2,
    // K1 K2 K3 is K1 K2 K3 NoSymbol.
    std::uint32_t four[4] = {list[0], length > 1 ? list[1] : XKB_KEY_NoSymbol, list[0],
                             length > 1 ? list[1] : XKB_KEY_NoSymbol};
    if (length > 2) {
        four[2] = list[2];
        four[3] = length > 3 ? list[3] : XKB_KEY_NoSymbol;
    }
    const std::uint32_t* group = (state & mode_switch) ? four + 2 : four;
    std::uint32_t first = group[0], second = group[1];
    // A group of one: a letter stands for both its cases, anything else
    // for itself twice.
    if (second == XKB_KEY_NoSymbol) {
        std::uint32_t lower = 0, upper = 0;
        cases_of(first, &lower, &upper);
        if (lower != upper) {
            first = lower;
            second = upper;
        } else {
            second = first;
        }
    }

    const bool shift = state & kShift;
    const bool locked = (state & kLock) && lock != Lock::Ignored;
    if ((state & num_lock) && is_keypad(second))
        return shift || (locked && lock == Lock::ShiftLock) ? first : second;
    if (!shift && !locked) return first;
    if (locked && lock == Lock::CapsLock) {
        std::uint32_t lower = 0, upper = 0;
        cases_of(shift ? second : first, &lower, &upper);
        return upper;
    }
    return second;
}

}  // namespace x11
