// What the X11 program reads off the server without Xlib: the keysym a key
// gives by the core protocol's rules, and Xft.dpi from the resource
// database's text.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include "platform/x11/KeysymRules.h"
#include "platform/x11/XftDpi.h"

namespace {

using x11::CoreKeymap;

constexpr std::uint16_t kShift = 1 << 0, kLock = 1 << 1, kMod2 = 1 << 4, kMod5 = 1 << 7;

// A small keyboard, four keysyms a key from keycode 8 on.
enum Keycode : int {
    kA = 8,          // a A
    kOne,            // 1 exclam
    kLoneLetter,     // a, its upper case left out as maps often do
    kKeypadSeven,    // KP_Home KP_7
    kE,              // e E eacute Eacute: the second group through Mode_switch
    kCyrillic,       // Cyrillic_a alone
    kCapsLock,       // Caps_Lock
    kNumLock,        // Num_Lock
    kModeSwitch,     // Mode_switch
    kShiftLock,      // Shift_Lock
    kEmpty,          // nothing
};

CoreKeymap Keyboard() {
    CoreKeymap map;
    map.min_keycode = 8;
    map.per_keycode = 4;
    const std::uint32_t none = XKB_KEY_NoSymbol;
    map.keysyms = {
        XKB_KEY_a,          XKB_KEY_A,     none,             none,
        XKB_KEY_1,          XKB_KEY_exclam, none,            none,
        XKB_KEY_a,          none,          none,             none,
        XKB_KEY_KP_Home,    XKB_KEY_KP_7,  none,             none,
        XKB_KEY_e,          XKB_KEY_E,     XKB_KEY_eacute,   XKB_KEY_Eacute,
        XKB_KEY_Cyrillic_a, none,          none,             none,
        XKB_KEY_Caps_Lock,  none,          none,             none,
        XKB_KEY_Num_Lock,   none,          none,             none,
        XKB_KEY_Mode_switch, none,         none,             none,
        XKB_KEY_Shift_Lock, none,          none,             none,
        none,               none,          none,             none,
    };
    return map;
}

// Shift, Lock, Control, Mod1 to Mod5, two keycodes each: Lock holds the
// given key, Mod2 Num_Lock and Mod5 Mode_switch.
CoreKeymap WithModifiers(int lock_key) {
    CoreKeymap map = Keyboard();
    std::uint8_t modifiers[8 * 2] = {};
    modifiers[1 * 2] = static_cast<std::uint8_t>(lock_key);
    modifiers[4 * 2 + 1] = kNumLock;
    modifiers[7 * 2] = kModeSwitch;
    map.read_modifiers(modifiers, 2);
    return map;
}

TEST(CoreKeysyms, ShiftChoosesTheSecondKeysym) {
    const CoreKeymap map = WithModifiers(kCapsLock);
    EXPECT_EQ(map.keysym(kA, 0), XKB_KEY_a);
    EXPECT_EQ(map.keysym(kA, kShift), XKB_KEY_A);
    EXPECT_EQ(map.keysym(kOne, 0), XKB_KEY_1);
    EXPECT_EQ(map.keysym(kOne, kShift), XKB_KEY_exclam);
}

TEST(CoreKeysyms, ALetterListedAloneStandsForBothItsCases) {
    const CoreKeymap map = WithModifiers(kCapsLock);
    EXPECT_EQ(map.keysym(kLoneLetter, 0), XKB_KEY_a);
    EXPECT_EQ(map.keysym(kLoneLetter, kShift), XKB_KEY_A);
    EXPECT_EQ(map.keysym(kCyrillic, kShift), XKB_KEY_Cyrillic_A);
}

TEST(CoreKeysyms, CapsLockRaisesLettersOnly) {
    const CoreKeymap map = WithModifiers(kCapsLock);
    EXPECT_EQ(map.lock, CoreKeymap::Lock::CapsLock);
    EXPECT_EQ(map.keysym(kA, kLock), XKB_KEY_A);
    EXPECT_EQ(map.keysym(kCyrillic, kLock), XKB_KEY_Cyrillic_A);
    EXPECT_EQ(map.keysym(kOne, kLock), XKB_KEY_1);
    // With Shift as well: the second keysym, still upper case.
    EXPECT_EQ(map.keysym(kA, kLock | kShift), XKB_KEY_A);
    EXPECT_EQ(map.keysym(kOne, kLock | kShift), XKB_KEY_exclam);
}

TEST(CoreKeysyms, ShiftLockActsAsShift) {
    const CoreKeymap map = WithModifiers(kShiftLock);
    EXPECT_EQ(map.lock, CoreKeymap::Lock::ShiftLock);
    EXPECT_EQ(map.keysym(kOne, kLock), XKB_KEY_exclam);
    EXPECT_EQ(map.keysym(kA, kLock), XKB_KEY_A);
}

TEST(CoreKeysyms, LockWithoutALockKeyMeansNothing) {
    const CoreKeymap map = WithModifiers(kEmpty);
    EXPECT_EQ(map.lock, CoreKeymap::Lock::Ignored);
    EXPECT_EQ(map.keysym(kA, kLock), XKB_KEY_a);
    EXPECT_EQ(map.keysym(kOne, kLock | kShift), XKB_KEY_exclam);
}

TEST(CoreKeysyms, NumLockTurnsTheKeypadToDigitsAndShiftBack) {
    const CoreKeymap map = WithModifiers(kCapsLock);
    EXPECT_EQ(map.num_lock, kMod2);
    EXPECT_EQ(map.keysym(kKeypadSeven, 0), XKB_KEY_KP_Home);
    EXPECT_EQ(map.keysym(kKeypadSeven, kMod2), XKB_KEY_KP_7);
    EXPECT_EQ(map.keysym(kKeypadSeven, kMod2 | kShift), XKB_KEY_KP_Home);
    // Num_Lock leaves keys off the keypad alone.
    EXPECT_EQ(map.keysym(kA, kMod2), XKB_KEY_a);
}

TEST(CoreKeysyms, ModeSwitchChoosesTheSecondGroup) {
    const CoreKeymap map = WithModifiers(kCapsLock);
    EXPECT_EQ(map.mode_switch, kMod5);
    EXPECT_EQ(map.keysym(kE, kMod5), XKB_KEY_eacute);
    EXPECT_EQ(map.keysym(kE, kMod5 | kShift), XKB_KEY_Eacute);
    EXPECT_EQ(map.keysym(kE, kMod5 | kLock), XKB_KEY_Eacute);
    // A key with one group keeps it.
    EXPECT_EQ(map.keysym(kA, kMod5 | kShift), XKB_KEY_A);
}

TEST(CoreKeysyms, KeysOutsideTheMapGiveNothing) {
    const CoreKeymap map = WithModifiers(kCapsLock);
    EXPECT_EQ(map.keysym(7, 0), XKB_KEY_NoSymbol);
    EXPECT_EQ(map.keysym(kEmpty + 1, 0), XKB_KEY_NoSymbol);
    EXPECT_EQ(map.keysym(kEmpty, kShift), XKB_KEY_NoSymbol);
    EXPECT_EQ(CoreKeymap{}.keysym(kA, 0), XKB_KEY_NoSymbol);
}

TEST(XftDpi, ReadsTheEntryXrdbLeaves) {
    EXPECT_EQ(x11::xft_dpi("Xft.dpi:\t144\n", 96), 144);
    EXPECT_EQ(x11::xft_dpi("Xcursor.size:\t24\nXft.dpi:\t120\r\nXft.hinting:\t1\n", 96), 120);
    EXPECT_EQ(x11::xft_dpi("  Xft.Dpi :  192", 96), 192);
}

TEST(XftDpi, TheClosestNamingWinsWhateverTheOrder) {
    EXPECT_EQ(x11::xft_dpi("Xft.dpi: 144\n*dpi: 120\n", 96), 144);
    EXPECT_EQ(x11::xft_dpi("*dpi: 120\nXft.dpi: 144\n", 96), 144);
    EXPECT_EQ(x11::xft_dpi("*dpi: 120\nXft*dpi: 110\n", 96), 110);
    EXPECT_EQ(x11::xft_dpi("Xft.Dpi: 110\nXft.dpi: 144\nXft.Dpi: 120\n", 96), 144);
    EXPECT_EQ(x11::xft_dpi("Xft.dpi: 100\nXft.dpi: 110\n", 96), 110);
}

TEST(XftDpi, OtherProgramsCommentsAndNonsenseAreLeftOut) {
    EXPECT_EQ(x11::xft_dpi("", 96), 96);
    EXPECT_EQ(x11::xft_dpi("xterm*dpi: 200\n", 96), 96);
    EXPECT_EQ(x11::xft_dpi("! Xft.dpi: 200\n", 96), 96);
    EXPECT_EQ(x11::xft_dpi("dpi: 200\n", 96), 96);
    EXPECT_EQ(x11::xft_dpi("Xft.dpi: 10\n", 96), 96);
    EXPECT_EQ(x11::xft_dpi("Xft.dpi: lots\n", 96), 96);
    EXPECT_EQ(x11::xft_dpi("Xft.dpi: 5000\n*dpi: 120\n", 96), 120);
}

}  // namespace
