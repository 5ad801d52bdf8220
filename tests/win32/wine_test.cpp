// The Wine tests' fixture and the checks several of them share.
#include "wine_test.h"

#include <algorithm>
#include <cstdlib>

#include "lock/LockController.h"
#include "wait.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

const e2e::Rgb kBlack{0, 0, 0};

}  // namespace

void WineTest::SetUp() {
    ASSERT_NO_THROW(Start(Setup()));
    // Painted means loaded: the controls exist and the window is up.
    ASSERT_TRUE(WaitForStatus(ScreenColour(kNoPasswordColour)))
        << "status reads " << e2e::ToString(StatusColour());
}

void WineTest::Lock(const char* password) {
    x().Type(password);
    x().Key("Return");
    ASSERT_TRUE(WaitForStatus(ScreenColour(kMismatchColour)))
        << "not locked; status reads " << e2e::ToString(StatusColour());
}

void WineTest::ExpectBlackCoverOverTheScreen() {
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

void WineTest::ExpectCompactDialogCentredInFront() {
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

void WineTest::RunLockCycle() {
    const e2e::Rgb red = ScreenColour(kMismatchColour);
    const e2e::Rgb green = ScreenColour(kMatchColour);
    Lock("abc");
    x().Type("ab");
    x().Type("c");
    EXPECT_TRUE(WaitForStatus(green));
    x().Type("d");  // one character too many
    EXPECT_TRUE(WaitForStatus(red));
    x().Key("BackSpace");
    EXPECT_TRUE(WaitForStatus(green));
    x().Key("Return");
    const auto status = WaitExit();
    ASSERT_TRUE(status) << "Enter with the password in the box did not end the program";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();
}
