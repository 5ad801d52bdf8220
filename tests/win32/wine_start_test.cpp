// Umbrafold.exe under Wine, right after start: the cover, the lock window
// in front of it, the status and where the keyboard goes.
#include <algorithm>
#include <cstdlib>

#include "lock/LockController.h"
#include "wait.h"
#include "wine_test.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

const e2e::Rgb kBlack{0, 0, 0};

TEST_F(WineTest, CoverIsBlackOverTheWholeScreen) {
    const e2e::Rect root = x().RootRect();
    const auto cover = x().State(cover_);
    ASSERT_TRUE(cover);
    EXPECT_EQ(cover->rect.x, root.x);
    EXPECT_EQ(cover->rect.y, root.y);
    EXPECT_EQ(cover->rect.w, root.w);
    EXPECT_EQ(cover->rect.h, root.h);
    // Everything above and below the lock window, edge to edge, is black.
    // Wine draws each window on its own: the lock window's status may show
    // before the cover is painted.
    const e2e::Rect dialog = DialogRect();
    const e2e::Rect above{0, 0, root.w, dialog.y};
    const e2e::Rect below{0, dialog.y + dialog.h, root.w, root.h - dialog.y - dialog.h};
    EXPECT_TRUE(e2e::WaitUntil([&] { return x().Dominant(above) == kBlack; }))
        << "above the lock window: " << e2e::ToString(x().Dominant(above));
    EXPECT_TRUE(e2e::WaitUntil([&] { return x().Dominant(below) == kBlack; }))
        << "below the lock window: " << e2e::ToString(x().Dominant(below));
}

TEST_F(WineTest, LockWindowIsCompactCentredAndInFront) {
    const e2e::Rect root = x().RootRect();
    const e2e::Rect dialog = DialogRect();
    EXPECT_EQ(dialog.w, Pixels(kWindow.client_width + 2 * kWindow.frame));
    EXPECT_EQ(dialog.h, Pixels(kCompactHeight));
    EXPECT_LE(std::abs(dialog.x - (root.w - dialog.w) / 2), 1);
    EXPECT_LE(std::abs(dialog.y - (root.h - dialog.h) / 2), 1);

    const std::vector<::Window> stack = x().Stack();
    const auto cover_at = std::find(stack.begin(), stack.end(), cover_);
    const auto dialog_at = std::find(stack.begin(), stack.end(), dialog_);
    EXPECT_LT(cover_at, dialog_at) << "the lock window is not above the cover";
    EXPECT_NE(x().Dominant(dialog), kBlack);
}

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
