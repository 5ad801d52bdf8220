// At 144 dpi, set by LogPixels in the prefix's registry, the lock window
// is laid out from its twips at 1.5 times its 96-dpi size, and folding
// the About panel out and in keeps to that scale.
#include "wine_test.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

class WineDpiTest : public WineTest {
protected:
    WineSetup Setup() const override {
        WineSetup setup;
        setup.prefix = std::string(WINE_PREFIX) + "-144dpi";
        setup.dpi = 144;
        return setup;
    }
};

TEST_F(WineDpiTest, DialogIsOneAndAHalfTimesItsSize) {
    // Its size at 96 dpi is 202x97, and 1.5 times 97 rounds to 146.
    const int width = Pixels(kWindow.client_width + 2 * kWindow.frame);
    const int height = Pixels(kCompactHeight);
    const e2e::Rect dialog = DialogRect();
    EXPECT_EQ(2 * dialog.w, 3 * width);
    EXPECT_NEAR(dialog.h, 1.5 * height, 0.5);
    const e2e::Rect root = x().RootRect();
    EXPECT_NEAR(dialog.x, (root.w - dialog.w) / 2, 1);
    EXPECT_NEAR(dialog.y, (root.h - dialog.h) / 2, 1);

    ClickControl(lblUmbrafold);
    EXPECT_TRUE(WaitForHeight(kExpandedHeight)) << "height " << DialogRect().h;
    EXPECT_NEAR(DialogRect().h, 1.5 * Pixels(kExpandedHeight), 0.5);
    ClickControl(lblUmbrafold);
    EXPECT_TRUE(WaitForHeight(kCompactHeight)) << "height " << DialogRect().h;
    EXPECT_EQ(DialogRect().h, dialog.h) << "folding in did not give back the height it started at";
}

}  // namespace
