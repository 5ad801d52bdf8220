// Keyboard navigation as in a dialog of the classic desktop: Tab order,
// access keys, Space and Enter on a focused button.
#include "locker_test.h"

namespace e2e {
namespace {

using Keyboard = LockerTest;

TEST_F(Keyboard, TabGoesFromTheBoxToExit) {
    StartLocker();
    x->Type("a");  // enables Lock, so both buttons take the focus
    x->Key("Tab");
    x->Key("space");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Keyboard, TabGoesFromExitToLock) {
    StartLocker();
    x->Type("a");
    x->Key("Tab");
    x->Key("Tab");
    x->Key("space");
    EXPECT_TRUE(StatusBecomes(kLightRed));
}

TEST_F(Keyboard, TabWrapsAroundToTheBox) {
    StartLocker();
    x->Type("a");
    for (int i = 0; i < 3; ++i) x->Key("Tab");
    x->Type("b");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("ab");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(Keyboard, ShiftTabGoesBackFromTheBoxToLock) {
    StartLocker();
    x->Type("a");
    x->Key("Tab", {"Shift_L"});
    x->Key("Return");
    EXPECT_TRUE(StatusBecomes(kLightRed));
}

// Lock and Exit are both disabled right after locking: the focus that was
// on Lock moves on to the box, so typing goes on reaching it.
TEST_F(Keyboard, FocusLeavesTheDisabledLockButton) {
    StartLocker();
    x->Type("a");
    x->Key("Tab");
    x->Key("Tab");
    x->Key("space");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("a");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(Keyboard, AltLPressesLock) {
    StartLocker();
    x->Type("a");
    x->Key("l", {"Alt_L"});
    EXPECT_TRUE(StatusBecomes(kLightRed));
}

TEST_F(Keyboard, AltXPressesExit) {
    StartLocker();
    x->Key("x", {"Alt_L"});
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Keyboard, AltXDoesNothingWhileExitIsDisabled) {
    StartLocker();
    LockWith("k");
    x->Key("x", {"Alt_L"});
    x->Type("k");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    EXPECT_TRUE(locker->Running());
    x->Key("x", {"Alt_L"});
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Keyboard, AltPBringsTheFocusBackToTheBox) {
    StartLocker();
    x->Type("a");
    x->Key("Tab");
    x->Key("p", {"Alt_L"});
    x->Type("b");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("ab");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(Keyboard, AccessKeysAreNotTypedIntoTheBox) {
    StartLocker();
    x->Type("a");
    x->Key("p", {"Alt_L"});
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("a");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(Keyboard, EscapeDoesNothing) {
    StartLocker();
    x->Key("Escape");
    x->Type("a");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Key("Escape");
    x->Type("a");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

}  // namespace
}  // namespace e2e
