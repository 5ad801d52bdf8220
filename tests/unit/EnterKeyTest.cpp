// Enter in the box: never inserted; it presses Lock, else Exit, else empties
// the box, and whatever it presses runs inside the key press handler.
#include <gtest/gtest.h>

#include "FakeLockView.h"

namespace {

constexpr Colour kLightRed = 0x008080FF;  // red 255, green 128, blue 128

TEST(EnterKey, OtherCharactersPassThroughUntouched) {
    FakeLockView view;
    for (int code : {int{'a'}, int{'Z'}, int{' '}, 8, 10, 27, 0x7F}) {
        int passed = code;
        view.controller.txtPass_KeyPress(passed);
        EXPECT_EQ(passed, code);
    }
    EXPECT_EQ(view.changeRuns, 0);
    EXPECT_EQ(view.exitPresses, 0);
    EXPECT_EQ(view.lockPresses, 0);
}

TEST(EnterKey, IsAlwaysDropped) {
    FakeLockView view;
    EXPECT_EQ(view.PressEnter(), 0);  // box empty: Exit
    view.Type("a");
    EXPECT_EQ(view.PressEnter(), 0);  // Lock
    EXPECT_EQ(view.PressEnter(), 0);  // locked, no match: empties the box
    view.Type("a");
    EXPECT_EQ(view.PressEnter(), 0);  // locked, match: Exit
    EXPECT_EQ(view.text.find('\r'), std::string::npos);
}

TEST(EnterKey, OnTheEmptyBoxAtStartPressesExitWithoutStoringAnything) {
    FakeLockView view;
    view.PressEnter();
    EXPECT_EQ(view.exitPresses, 1);
    EXPECT_EQ(view.lockPresses, 0);
    EXPECT_FALSE(view.controller.blnLocked);
}

TEST(EnterKey, WithTextBeforeTheLockPressesLockInsideTheCall) {
    FakeLockView view;
    view.Type("Abc");
    view.PressEnter();
    EXPECT_TRUE(view.lockPressedInsideKeyPress);
    EXPECT_EQ(view.exitPresses, 0);
    EXPECT_TRUE(view.controller.blnLocked);
    EXPECT_EQ(view.controller.strPassword.view(), "abc");
    EXPECT_TRUE(view.text.empty());
    EXPECT_EQ(view.labelColour, kLightRed);
}

TEST(EnterKey, WhileLockedWithAWrongTextEmptiesTheBoxAndStaysRed) {
    FakeLockView view;
    view.Type("abc");
    view.PressEnter();
    view.Type("abd");
    view.PressEnter();
    EXPECT_TRUE(view.textSetInsideKeyPress);
    EXPECT_TRUE(view.text.empty());
    EXPECT_EQ(view.exitPresses, 0);
    EXPECT_FALSE(view.exitEnabled);
    EXPECT_EQ(view.labelColour, kLightRed);
    EXPECT_EQ(view.labelCaption, "Enter Password to Unlock");
}

TEST(EnterKey, WhileLockedOnAnEmptyBoxChangesNothing) {
    FakeLockView view;
    view.Type("abc");
    view.PressEnter();
    const int runsBefore = view.changeRuns;
    view.PressEnter();
    EXPECT_LE(view.changeRuns - runsBefore, 1);
    EXPECT_TRUE(view.text.empty());
    EXPECT_EQ(view.exitPresses, 0);
    EXPECT_EQ(view.lockPresses, 1);
    EXPECT_EQ(view.labelColour, kLightRed);
}

TEST(EnterKey, WhileLockedWithThePasswordPressesExit) {
    FakeLockView view;
    view.Type("abc");
    view.PressEnter();
    view.Type("ABC");
    view.PressEnter();
    EXPECT_EQ(view.exitPresses, 1);
    EXPECT_EQ(view.lockPresses, 1);
}

TEST(EnterKey, AfterAWrongTryTheRightOneStillOpens) {
    FakeLockView view;
    view.Type("pin");
    view.PressEnter();
    view.Type("pun");
    view.PressEnter();
    view.Type("pin");
    EXPECT_TRUE(view.exitEnabled);
    view.PressEnter();
    EXPECT_EQ(view.exitPresses, 1);
}

}  // namespace
