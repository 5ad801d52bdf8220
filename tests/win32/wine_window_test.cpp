// Umbrafold.exe under Wine: close requests by Alt+F4, and the About fold.
#include "lock/LockController.h"
#include "wine_test.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

void PressAltF4(e2e::XClient& x) { x.Key("F4", {"Alt_L"}); }

TEST_F(WineTest, AltF4BeforeLockingEnds) {
    PressAltF4(x());
    const auto status = WaitExit();
    ASSERT_TRUE(status) << "Alt+F4 was refused before a password was stored";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();
}

TEST_F(WineTest, AltF4WhileLockedIsRefusedUntilThePasswordIsTyped) {
    Lock("pw");
    PressAltF4(x());
    // Still there, and still taking keys: the keys after Alt+F4 unlock it.
    x().Type("pw");
    ASSERT_TRUE(WaitForStatus(ScreenColour(kMatchColour)));
    PressAltF4(x());
    const auto status = WaitExit();
    ASSERT_TRUE(status) << "Alt+F4 was refused with the password in the box";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();
}

TEST_F(WineTest, TitleFoldsTheAboutPanelOutAndIn) {
    const e2e::Rect compact = DialogRect();
    ClickControl(lblUmbrafold);
    ASSERT_TRUE(WaitForHeight(kExpandedHeight)) << "height " << DialogRect().h;
    const e2e::Rect expanded = DialogRect();
    EXPECT_EQ(expanded.x, compact.x);
    EXPECT_EQ(expanded.y, compact.y);
    EXPECT_EQ(expanded.w, compact.w);
    ClickControl(lblUmbrafold);
    EXPECT_TRUE(WaitForHeight(kCompactHeight)) << "height " << DialogRect().h;
}

TEST_F(WineTest, FoldWorksWhileLocked) {
    Lock("pw");
    ClickControl(lblUmbrafold);
    EXPECT_TRUE(WaitForHeight(kExpandedHeight)) << "height " << DialogRect().h;
}

}  // namespace
