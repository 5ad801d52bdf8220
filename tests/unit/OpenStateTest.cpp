// The rules before a password is stored: Exit always open, Lock open exactly
// while the box holds text, the status label never touched.
#include <gtest/gtest.h>

#include "FakeLockView.h"

namespace {

TEST(OpenState, StartsUnlockedWithNothingStored) {
    FakeLockView view;
    EXPECT_FALSE(view.controller.blnLocked);
    EXPECT_TRUE(view.controller.strPassword.empty());
}

TEST(OpenState, FirstCharacterEnablesLockAndKeepsExit) {
    FakeLockView view;
    view.Type('a');
    EXPECT_TRUE(view.lockEnabled);
    EXPECT_TRUE(view.exitEnabled);
}

TEST(OpenState, EmptyingTheBoxDisablesLockAgain) {
    FakeLockView view;
    view.Type("ab");
    view.Backspace();
    EXPECT_TRUE(view.lockEnabled);
    view.Backspace();
    EXPECT_FALSE(view.lockEnabled);
    EXPECT_TRUE(view.exitEnabled);
}

TEST(OpenState, ExitStaysEnabledWhateverIsTyped) {
    FakeLockView view;
    for (char c : std::string("Some Text 123")) {
        view.Type(c);
        EXPECT_TRUE(view.exitEnabled) << "after typing '" << c << "'";
    }
}

TEST(OpenState, AProgramSetTextRunsTheRulesToo) {
    FakeLockView view;
    view.txtPass_SetText(SecretText("xyz"));
    EXPECT_TRUE(view.lockEnabled);
    view.txtPass_SetText(SecretText());
    EXPECT_FALSE(view.lockEnabled);
}

TEST(OpenState, ASpaceAloneCountsAsText) {
    FakeLockView view;
    view.Type(' ');
    EXPECT_TRUE(view.lockEnabled);
}

// txtPass_Change asks for the status on every keystroke, but before the lock
// the label must keep its yellow "No Password Stored".
TEST(OpenState, StatusLabelIsNeverWrittenBeforeLocking) {
    FakeLockView view;
    view.Type("Hello");
    view.Backspace();
    view.Backspace();
    view.txtPass_SetText(SecretText());
    view.Type("again");
    EXPECT_GT(view.changeRuns, 0);
    EXPECT_EQ(view.labelWrites, 0);
    EXPECT_EQ(view.labelColour, FakeLockView::kYellow);
    EXPECT_EQ(view.labelCaption, "No Password Stored");
}

TEST(OpenState, ShowLockStatusDoesNothingBeforeLocking) {
    FakeLockView view;
    view.controller.ShowLockStatus(true);
    view.controller.ShowLockStatus(false);
    EXPECT_EQ(view.labelWrites, 0);
}

}  // namespace
