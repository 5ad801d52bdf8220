// The dialog's keys and clicks in a Wayland session: Tab order, access
// keys, the About fold, and a dead key composing with the next.
#include "wayland_test.h"

namespace wayland {
namespace {

using Dialog = WaylandTest;

// Box, Exit, Lock; disabled buttons are passed over, and Shift+Tab goes
// back.
TEST_F(Dialog, TabOrderIsBoxExitLock) {
    StartLocker();
    input->Type("a");  // enables Lock, so both buttons take the focus
    input->Key("Tab");
    input->Key("Tab");
    input->Key("space");  // on Lock, were the order right
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Type("a");  // the focus left the disabled Lock for the box
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Tab", {"Shift_L"});  // back past the disabled Lock to Exit
    input->Key("space");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Dialog, AccessKeysPressTheirButtonsWhileEnabled) {
    StartLocker();
    input->Type("k");
    input->Key("l", {"Alt_L"});
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Key("x", {"Alt_L"});  // Exit is disabled: nothing
    input->Key("Tab");
    input->Key("p", {"Alt_L"});  // back to the box
    input->Type("k");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    EXPECT_TRUE(locker->Running());
    input->Key("x", {"Alt_L"});
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Dialog, ClickOnTheTitleFoldsTheAboutPanel) {
    StartLocker();
    const int compact = dialog.h;
    ClickOn(e2e::kTitle);
    ASSERT_TRUE(WaitUntil([&] { return DialogOn().h == Px(frmWindowControls::kExpandedHeight); })) << DialogOn().h;
    EXPECT_EQ(DialogOn().y, dialog.y) << "the dialog grows at its bottom edge";
    ClickOn(e2e::kTitle);
    EXPECT_TRUE(WaitUntil([&] { return DialogOn().h == compact; })) << DialogOn().h;
    // A click that goes down on the title and up elsewhere is no click.
    const Rect title = OnScreen(e2e::kTitle);
    MoveTo(title.x + title.w / 2, title.y + title.h / 2);
    input->Press();
    MoveTo(10, 10);
    input->Release();
    input->Type("a");  // something to wait for that comes after the release
    input->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    EXPECT_EQ(DialogOn().h, compact);
}

// A layout whose accented letters come from dead keys, handed over while
// the program runs. Dropping the dead key would store "e", and the bare
// letter would unlock; the accent on its own would never match "é".
TEST_F(Dialog, DeadKeyComposesWithTheNextKey) {
    StartLocker();
    input->SetLayout("us", "intl");
    input->Key("dead_acute");
    input->Type("e");
    input->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    input->Type("e");
    input->Key("Return");  // wrong: only empties the box
    input->Key("dead_acute");
    input->Type("E");  // É, lower-cased to é
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// A held key types again at the compositor's rate once its delay has
// passed: held down, one "a" fills the box to the sixteen of the password.
TEST_F(Dialog, AHeldKeyRepeats) {
    StartLocker();
    LockWith("aaaaaaaaaaaaaaaa");
    input->KeyDown("a");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    input->KeyUp("a");
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace wayland
