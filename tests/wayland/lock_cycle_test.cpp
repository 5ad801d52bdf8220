// The lock cycle, its colours read from the screen: store a password, red
// while the text does not match, green once it does in any letter case,
// then out, and the session unlocked.
#include "wayland_test.h"

namespace wayland {
namespace {

using LockCycle = WaylandTest;

TEST_F(LockCycle, WholeCycleUnlocksTheSession) {
    StartLocker();
    LockWith("abc");
    input->Type("ab");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Type("c");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Type("d");  // one too many: red again
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Key("BackSpace");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_TRUE(DesktopShows());
}

TEST_F(LockCycle, LetterCaseIsNotToldApart) {
    StartLocker();
    LockWith("MiXeD");
    input->Type("MIXED");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    for (int i = 0; i < 5; ++i) input->Key("BackSpace");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Type("mixed");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// Enter locks while Lock is enabled, empties the box while neither button
// is, and exits once Exit is enabled.
TEST_F(LockCycle, EnterTakesItsThreePaths) {
    StartLocker();
    input->Type("pw");
    input->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Type("p");
    input->Key("Return");  // wrong text: the box is emptied, nothing else
    input->Type("pw");     // a box that kept the "p" would now hold "ppw"
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    EXPECT_TRUE(locker->Running());
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// The box holds sixteen characters: a seventeenth typed is dropped, so the
// password typed back with one more still matches.
TEST_F(LockCycle, TheSeventeenthCharacterIsDropped) {
    StartLocker();
    LockWith("abcdefghijklmnopq");  // stored as its first sixteen
    input->Type("abcdefghijklmnop");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Type("q");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace wayland
