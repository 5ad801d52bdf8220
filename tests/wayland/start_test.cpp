// Right after start: every output black, the compact dialog centred on the
// first one, yellow status, the focus in the box.
#include "wayland_test.h"

namespace wayland {
namespace {

using StartState = WaylandTest;

TEST_F(StartState, EveryOutputBlackAndTheDialogCentredOnTheFirst) {
    StartCompositor({2});
    StartLocker();
    EXPECT_NEAR(dialog.x, (options.width - dialog.w) / 2, 1);
    EXPECT_NEAR(dialog.y, (options.height - dialog.h) / 2, 1);
    // Nothing outside the dialog but black, once the pointer hides.
    Image first;
    EXPECT_TRUE(WaitUntil([&] {
        first = Shot("HEADLESS-1");
        Image inside = first.Crop(dialog);
        return first.Count(kBlack) - inside.Count(kBlack) == first.width * first.height - dialog.w * dialog.h;
    }));
    EXPECT_TRUE(AllOf("HEADLESS-2", kBlack));
    // The grey face of the dialog.
    const Rgb face = first.At(dialog.x + 3, dialog.y + dialog.h - 4);
    EXPECT_EQ(face, (Rgb{192, 192, 192}));
}

// Typing goes into the box without a click: the text locks with Enter.
TEST_F(StartState, FocusIsInTheBox) {
    StartLocker();
    input->Type("a");
    input->Key("Return");
    EXPECT_TRUE(StatusBecomes(kLightRed));
    EXPECT_TRUE(locker->Running());
}

// Enter on the empty box is Exit: the session is unlocked and the desktop
// (sway's grey, with no wallpaper program) is back.
TEST_F(StartState, EnterOnTheEmptyBoxUnlocksAndExits) {
    StartLocker();
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_TRUE(DesktopShows());
    EXPECT_EQ(locker->Stderr(), "");
}

TEST_F(StartState, ExitButtonWorksBeforeAnyPassword) {
    StartLocker();
    ClickOn(e2e::kExitButton);
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace wayland
