// Pressing Lock: the password is stored lower-cased, the box is emptied by a
// nested change run that still sees the station open, and the lock holds.
#include <gtest/gtest.h>

#include "FakeLockView.h"

namespace {

constexpr Colour kLightRed = 0x008080FF;  // red 255, green 128, blue 128

TEST(Locking, StoresTheTextLowerCased) {
    FakeLockView view;
    view.Type("MiXed");
    view.controller.cmdLock_Click();
    EXPECT_EQ(view.controller.strPassword.view(), "mixed");
}

TEST(Locking, LeavesAnEmptyBoxBothButtonsDisabledAndTheLabelRed) {
    FakeLockView view;
    view.Type("abc");
    view.controller.cmdLock_Click();
    EXPECT_TRUE(view.controller.blnLocked);
    EXPECT_TRUE(view.text.empty());
    EXPECT_FALSE(view.lockEnabled);
    EXPECT_FALSE(view.exitEnabled);
    EXPECT_EQ(view.labelColour, kLightRed);
    EXPECT_EQ(view.labelCaption, "Enter Password to Unlock");
}

// Emptying the box runs txtPass_Change inside cmdLock_Click, before the flag
// is set: that run must not paint the label, and the click itself must then
// switch both buttons off, whatever the nested run enabled.
TEST(Locking, TheNestedChangeRunSeesTheStationStillOpen) {
    FakeLockView view;
    view.Type("abc");
    const int runsBefore = view.changeRuns;
    const int openRunsBefore = view.changeRunsWhileUnlocked;
    view.controller.cmdLock_Click();
    EXPECT_EQ(view.changeRuns - runsBefore, 1);
    EXPECT_EQ(view.changeRunsWhileUnlocked - openRunsBefore, 1);
    EXPECT_EQ(view.labelWritesInsideChange, 0);
    EXPECT_GT(view.labelWrites, 0);
    EXPECT_FALSE(view.exitEnabled);
}

TEST(Locking, LockNeverComesBackWhateverIsTyped) {
    FakeLockView view;
    view.Type("pw");
    view.controller.cmdLock_Click();
    view.Type("x");
    view.Backspace();
    view.Type("pw");
    view.Type("pwpw and more text");
    view.txtPass_SetText(SecretText());
    view.txtPass_SetText(SecretText("PW"));
    view.PressEnter();
    EXPECT_FALSE(view.lockEverEnabledWhileLocked);
    EXPECT_FALSE(view.lockEnabled);
    EXPECT_TRUE(view.controller.blnLocked);
}

TEST(Locking, ThePasswordCannotBeReplacedAfterwards) {
    FakeLockView view;
    view.Type("first");
    view.controller.cmdLock_Click();
    view.Type("second");
    view.PressEnter();  // the box is emptied; Lock stays disabled
    EXPECT_EQ(view.lockPresses, 0);
    EXPECT_EQ(view.controller.strPassword.view(), "first");
}

}  // namespace
