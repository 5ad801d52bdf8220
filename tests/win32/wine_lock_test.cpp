// The lock cycle of Umbrafold.exe under Wine, read from the screen.
#include "lock/LockController.h"
#include "wine_test.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

const e2e::Rgb kRed = ScreenColour(kMismatchColour);
const e2e::Rgb kGreen = ScreenColour(kMatchColour);

void ExpectSuccess(const std::optional<e2e::ExitStatus>& status) {
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();
}

TEST_F(WineTest, WholeLockCycle) { RunLockCycle(); }

TEST_F(WineTest, LetterCaseIsIgnored) {
    Lock("MiXeD");
    x().Type("MIXED");
    EXPECT_TRUE(WaitForStatus(kGreen));
    for (int i = 0; i < 5; ++i) x().Key("BackSpace");
    EXPECT_TRUE(WaitForStatus(kRed));
    x().Type("mixed");
    EXPECT_TRUE(WaitForStatus(kGreen));
}

TEST_F(WineTest, EnterOnTheEmptyBoxAtStartExits) {
    x().Key("Return");
    ExpectSuccess(WaitExit());
}

TEST_F(WineTest, EnterWithTheWrongTextEmptiesTheBox) {
    Lock("pw");
    x().Type("nope");
    x().Key("Return");
    // Had the box kept "nope", this would read "nopepw" and stay red.
    x().Type("pw");
    EXPECT_TRUE(WaitForStatus(kGreen));
}

TEST_F(WineTest, BoxKeepsSixteenCharacters) {
    Lock("abcdefghijklmnopq");
    x().Type("abcdefghijklmnop");
    EXPECT_TRUE(WaitForStatus(kGreen));
}

// The Lock button disables itself while it has the focus; the focus must
// move on to the box rather than stay on a control that takes no keys.
TEST_F(WineTest, LockButtonLeavesTheKeyboardInTheBox) {
    x().Type("pw");
    ClickControl(cmdLock);
    ASSERT_TRUE(WaitForStatus(kRed));
    x().Type("pw");
    EXPECT_TRUE(WaitForStatus(kGreen));
}

TEST_F(WineTest, ExitButtonEndsWithStatusZero) {
    ClickControl(cmdExit);
    ExpectSuccess(WaitExit());
}

}  // namespace
