// Umbrafold.exe under Wine, right after start: the cover, the lock window
// in front of it, the status and where the keyboard goes.
#include <algorithm>

#include "lock/LockController.h"
#include "wine_test.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

TEST_F(WineTest, CoverIsBlackOverTheWholeScreen) { ExpectBlackCoverOverTheScreen(); }

TEST_F(WineTest, LockWindowIsCompactCentredAndInFront) { ExpectCompactDialogCentredInFront(); }

TEST_F(WineTest, StartsYellowWithTheKeyboardInThePasswordBox) {
    EXPECT_EQ(StatusColour(), ScreenColour(kNoPasswordColour));
    // Without a click anywhere, typed characters and Enter reach the box.
    Lock("abc");
}

TEST_F(WineTest, ClickOnTheCoverChangesNothing) {
    x().Click(5, 5);
    x().Click(x().RootRect().w - 5, x().RootRect().h - 5);
    Lock("abc");
    const std::vector<::Window> stack = x().Stack();
    EXPECT_LT(std::find(stack.begin(), stack.end(), cover_), std::find(stack.begin(), stack.end(), dialog_));
}

TEST_F(WineTest, TabGoesToExitBeforeLock) {
    x().Type("a");  // enables Lock, so Tab could stop there
    x().Key("Tab");
    x().Key("space");
    const auto status = WaitExit();
    ASSERT_TRUE(status) << "Space after one Tab did not press Exit";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();
}

TEST_F(WineTest, EnterPressesTheFocusedButton) {
    x().Key("Tab");  // from the box to Exit
    x().Key("Return");
    const auto status = WaitExit();
    ASSERT_TRUE(status) << "Enter on the focused Exit button did not press it";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();
}

TEST_F(WineTest, EscapeDoesNothing) {
    x().Key("Escape");
    Lock("abc");  // still running, the keyboard still in the box
}

}  // namespace
