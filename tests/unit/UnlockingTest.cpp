// After the lock: Exit opens exactly while the box holds the password,
// compared after lower-casing, character for character.
#include <gtest/gtest.h>

#include <string>

#include "FakeLockView.h"

namespace {

constexpr Colour kLightRed = 0x008080FF;    // red 255, green 128, blue 128
constexpr Colour kLightGreen = 0x0080FF80;  // red 128, green 255, blue 128

class Unlocking : public ::testing::Test {
protected:
    void LockWith(const std::string& password) {
        view.Type(password);
        view.controller.cmdLock_Click();
    }

    void ExpectGranted() {
        EXPECT_TRUE(view.exitEnabled);
        EXPECT_EQ(view.labelColour, kLightGreen);
        EXPECT_EQ(view.labelCaption, "Access Granted");
    }

    void ExpectRefused() {
        EXPECT_FALSE(view.exitEnabled);
        EXPECT_EQ(view.labelColour, kLightRed);
        EXPECT_EQ(view.labelCaption, "Enter Password to Unlock");
    }

    FakeLockView view;
};

TEST_F(Unlocking, MixedCasePasswordOpensWithCapitals) {
    LockWith("PassWord");
    view.Type("PASSWORD");
    ExpectGranted();
}

TEST_F(Unlocking, MixedCasePasswordOpensWithSmallLetters) {
    LockWith("PassWord");
    view.Type("password");
    ExpectGranted();
}

TEST_F(Unlocking, DigitsAndPunctuationMustMatchExactly) {
    LockWith("a1!");
    view.Type("A1?");
    ExpectRefused();
    view.Backspace();
    view.Type("!");
    ExpectGranted();
}

TEST_F(Unlocking, StatusFollowsEveryKeystroke) {
    LockWith("ab");
    view.Type('a');
    ExpectRefused();
    view.Type('B');
    ExpectGranted();
    view.Type('c');
    ExpectRefused();
    view.Backspace();
    ExpectGranted();
}

TEST_F(Unlocking, APrefixOrAnExtensionIsNotThePassword) {
    LockWith("secret");
    view.Type("secre");
    ExpectRefused();
    view.Type("tt");
    ExpectRefused();
}

TEST_F(Unlocking, ASingleSpaceIsMatchedByExactlyOneSpace) {
    LockWith(" ");
    ExpectRefused();
    view.Type(' ');
    ExpectGranted();
    view.Type(' ');
    ExpectRefused();
}

TEST_F(Unlocking, SpacesInsideThePasswordCount) {
    LockWith("a b");
    view.Type("ab");
    ExpectRefused();
    view.txtPass_SetText(SecretText("A B"));
    ExpectGranted();
    view.txtPass_SetText(SecretText("a b "));
    ExpectRefused();
    view.txtPass_SetText(SecretText(" a b"));
    ExpectRefused();
}

TEST_F(Unlocking, TextMatchesTellsWhetherTheBoxOpensTheLock) {
    LockWith("Key");
    EXPECT_FALSE(view.controller.TextMatches());
    view.Type("kEY");
    EXPECT_TRUE(view.controller.TextMatches());
    view.Type("s");
    EXPECT_FALSE(view.controller.TextMatches());
}

TEST_F(Unlocking, TheLastStatusWinsAfterManyChanges) {
    LockWith("xy");
    for (int i = 0; i < 5; ++i) {
        view.Type("XY");
        ExpectGranted();
        view.Backspace();
        view.Backspace();
        ExpectRefused();
    }
}

}  // namespace
