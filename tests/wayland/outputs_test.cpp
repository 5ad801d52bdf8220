// Outputs coming and going while locked, and a scaled one: every output
// stays covered, and the dialog stays whole, centred and sharp.
#include "wayland_test.h"

namespace wayland {
namespace {

using Outputs = WaylandTest;

TEST_F(Outputs, AnOutputPluggedInWhileLockedTurnsBlack) {
    StartLocker();
    LockWith("pw");
    ASSERT_TRUE(compositor->Swaymsg({"create_output"}));
    ASSERT_TRUE(WaitUntil([&] { return compositor->OutputNames().size() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return AllOf("HEADLESS-2", kBlack); })) << "the new output is not covered";
    // The dialog stayed where it was.
    EXPECT_EQ(DialogOn("HEADLESS-1").w, dialog.w);
    // Sway blackens an output without a lock surface too; only one with a
    // lock surface of ours can take the dialog when the first one goes.
    ASSERT_TRUE(compositor->Swaymsg({"output", "HEADLESS-1", "unplug"}));
    EXPECT_TRUE(WaitUntil([&] { return DialogOn("HEADLESS-2").w == dialog.w; }))
        << "the new output has no lock surface for the dialog to move to";
    input->Type("pw");
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// The dialog's output goes (unplugged: sway's headless outputs cannot be
// switched off): the dialog moves to the other, centred, with the lock's
// state and the typed text as they were; it stays there when another
// output comes, and that one is covered.
TEST_F(Outputs, TheDialogMovesWhenItsOutputGoes) {
    StartCompositor({2});
    StartLocker();
    LockWith("pw");
    input->Type("p");
    ASSERT_TRUE(compositor->Swaymsg({"output", "HEADLESS-1", "unplug"}));
    Rect moved;
    ASSERT_TRUE(WaitUntil([&] {
        moved = DialogOn("HEADLESS-2");
        return moved.w == dialog.w && moved.h == dialog.h;
    })) << "no dialog on the other output: " << moved.w << "x" << moved.h;
    EXPECT_NEAR(moved.x, (options.width - moved.w) / 2, 1);
    EXPECT_NEAR(moved.y, (options.height - moved.h) / 2, 1);
    ASSERT_TRUE(compositor->Swaymsg({"create_output"}));
    EXPECT_TRUE(WaitUntil([&] { return AllOf("HEADLESS-3", kBlack); })) << "the output that came is not covered";
    EXPECT_EQ(DialogOn("HEADLESS-2").w, dialog.w);
    dialog = moved;
    dialog_output = "HEADLESS-2";
    EXPECT_EQ(StatusColour(), kLightRed);
    input->Type("w");  // completes the "p" typed before the move
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// At scale 2 the dialog has twice the pixels each way, drawn at that
// scale rather than stretched: its text has more than two shades of edge.
TEST_F(Outputs, ScaleTwoDoublesTheDialog) {
    StartCompositor({1, 2});
    StartLocker();  // finds the dialog at 2 x 202 by 2 x 97 pixels
    EXPECT_EQ(dialog.w, 404);
    EXPECT_EQ(dialog.h, 194);
    EXPECT_NEAR(dialog.x, (options.width - dialog.w) / 2, 2);
    EXPECT_NEAR(dialog.y, (options.height - dialog.h) / 2, 2);
    // A stretched picture would repeat every pixel in 2 x 2 blocks.
    const Image image = Shot().Crop(dialog);
    int unlike_neighbours = 0;
    for (int y = 0; y + 1 < image.height; y += 2)
        for (int x = 0; x + 1 < image.width; x += 2)
            if (image.At(x, y) != image.At(x + 1, y) || image.At(x, y) != image.At(x, y + 1)) ++unlike_neighbours;
    EXPECT_GT(unlike_neighbours, 50);
    LockWith("pw");
    input->Type("PW");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

// The output's scale changes while locked: the dialog is drawn anew at the
// new scale, centred, with the lock's state and the typed text kept.
TEST_F(Outputs, AScaleChangeRedrawsTheDialogAtTheNewScale) {
    StartLocker();
    LockWith("pw");
    input->Type("p");
    ASSERT_TRUE(compositor->Swaymsg({"output", "HEADLESS-1", "scale", "2"}));
    Rect scaled;
    ASSERT_TRUE(WaitUntil([&] {
        scaled = DialogOn();
        return scaled.w == 2 * dialog.w && scaled.h == 2 * dialog.h;
    })) << "the dialog is " << scaled.w << "x" << scaled.h;
    EXPECT_NEAR(scaled.x, (options.width - scaled.w) / 2, 2);
    EXPECT_NEAR(scaled.y, (options.height - scaled.h) / 2, 2);
    scale = 2;
    dialog = scaled;
    EXPECT_EQ(StatusColour(), kLightRed);
    input->Type("w");  // completes the "p" typed before the change
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace wayland
