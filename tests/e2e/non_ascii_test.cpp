// Text beyond ASCII: letter case is folded by Unicode, not by the locale,
// and the box counts characters, not bytes.
#include "locker_test.h"

namespace e2e {
namespace {

class NonAscii : public LockerTest {
protected:
    // Puts the letters on spare keys, then starts the program in the C
    // locale, where the C library would fold no letter beyond ASCII.
    void StartWithLetters() {
        x->BindKey(U'\u00E4', U'\u00C4');  // ä Ä
        x->BindKey(U'\u00E9', U'\u00C9');  // é É
        x->BindKey(U'\u0161', U'\u0160');  // š Š, outside Latin-1
        Spawn spawn;
        spawn.argv = {UMBRAFOLD_PATH};
        spawn.set_env = {{"DISPLAY", server->display()}, {"LC_ALL", "C"}, {"LANG", "C"}};
        spawn.unset_env = {"WAYLAND_DISPLAY"};
        Run(spawn);
        ASSERT_TRUE(WaitUntil([this] { return (dialog = FindDialog()) != 0; })) << locker->Stderr();
        ASSERT_TRUE(StatusBecomes(kYellow));
    }

    static std::string Repeat(const std::string& text, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) out += text;
        return out;
    }
};

// A dead key and the letter after it type one accented letter. Dropping
// the dead key would store "e", and the bare letter would unlock.
TEST_F(NonAscii, DeadKeyComposesWithTheNextKey) {
    x->BindKeysym("dead_acute");
    StartWithLetters();
    x->Key("dead_acute");
    x->Type("e");
    LockWith("");
    x->Type("e");
    x->Key("Return");  // wrong: only empties the box
    x->Key("dead_acute");
    x->Type("E");  // É, lower-cased to é
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(NonAscii, CapitalsBeyondAsciiOpenTheLock) {
    StartWithLetters();
    LockWith("\u00C4b\u00C9\u0160");  // ÄbÉŠ
    // Wrong unless the other letters were lost: Enter only empties the box.
    x->Type("B");
    x->Key("Return");
    x->Type("\u00E4B\u00E9\u0161");  // äBéš
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(NonAscii, ALetterIsNotItsNeighbour) {
    StartWithLetters();
    LockWith("\u00E4");  // ä
    x->Type("a");
    x->Key("Return");  // wrong: empties the box
    x->Type("\u00C4");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

// Sixteen two-byte letters fit. A box that counted bytes would take only
// eight, lock on a shorter password, and open on the first half typed back.
TEST_F(NonAscii, SixteenCharactersFitWhateverTheirBytes) {
    StartWithLetters();
    LockWith("z" + Repeat("\u00E9", 15));
    x->Type("Z" + Repeat("\u00C9", 7));
    x->Key("Return");  // wrong here: empties the box, the lock stays
    x->Type("Z" + Repeat("\u00C9", 15));
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Type("\u00C9");  // the seventeenth is refused
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace e2e
