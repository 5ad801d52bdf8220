// Right after start: two override-redirect windows, the cover over the whole
// screen, the compact dialog centred above it, yellow status, focus in the box.
#include <algorithm>

#include "locker_test.h"

namespace e2e {
namespace {

using StartState = LockerTest;

TEST_F(StartState, BothWindowsBypassTheWindowManagerUnderTheProgramsClass) {
    StartLocker();
    for (::Window window : {dialog, cover}) {
        const auto state = x->State(window);
        ASSERT_TRUE(state);
        EXPECT_TRUE(state->override_redirect);
        const auto names = x->Class(window);
        ASSERT_TRUE(names);
        EXPECT_EQ(names->first, "umbrafold");
        EXPECT_EQ(names->second, "Umbrafold");
    }
}

TEST_F(StartState, CoverIsNamedForm1AndSpansTheRoot) {
    StartLocker();
    EXPECT_EQ(x->Name(cover).value_or("<none>"), "Form1");
    const Rect rect = x->State(cover)->rect;
    const Rect root = x->RootRect();
    EXPECT_EQ(rect.x, root.x);
    EXPECT_EQ(rect.y, root.y);
    EXPECT_EQ(rect.w, root.w);
    EXPECT_EQ(rect.h, root.h);
}

TEST_F(StartState, DialogIsUnnamedCompactAndCentred) {
    StartLocker();
    EXPECT_EQ(x->Name(dialog).value_or(""), "");
    const Rect rect = DialogRect();
    const Rect root = x->RootRect();
    EXPECT_EQ(rect.w, kDialogWidth);
    EXPECT_EQ(rect.h, kCompactHeight);
    EXPECT_NEAR(rect.x, (root.w - rect.w) / 2, 1);
    EXPECT_NEAR(rect.y, (root.h - rect.h) / 2, 1);
}

// At 192 dpi every twip measure doubles in pixels.
TEST_F(StartState, DialogScalesWithXftDpi) {
    x->SetResources("Xft.antialias:\t1\nXft.dpi:\t192\n");
    drawn_dpi = 192;
    StartLocker();  // finds the yellow status where 192 dpi puts it
    const Rect rect = x->State(dialog)->rect;
    const Rect root = x->RootRect();
    EXPECT_EQ(rect.w, 2 * kDialogWidth);
    EXPECT_EQ(rect.h, 2 * kCompactHeight);
    EXPECT_NEAR(rect.x, (root.w - rect.w) / 2, 1);
    EXPECT_NEAR(rect.y, (root.h - rect.h) / 2, 1);
}

TEST_F(StartState, DialogCarriesTheIconAndTakesCloseRequests) {
    StartLocker();
    // _NET_WM_ICON: width, height, then width * height ARGB pixels, repeated.
    const std::vector<unsigned long> icon = x->CardinalProperty(dialog, "_NET_WM_ICON");
    ASSERT_GE(icon.size(), 2u);
    std::vector<unsigned long> sizes;
    std::size_t at = 0;
    while (at + 2 <= icon.size()) {
        const unsigned long w = icon[at], h = icon[at + 1];
        ASSERT_GT(w * h, 0u);
        ASSERT_LE(at + 2 + w * h, icon.size()) << "an icon image runs past the property";
        EXPECT_EQ(w, h);
        sizes.push_back(w);
        at += 2 + w * h;
    }
    EXPECT_EQ(at, icon.size());
    EXPECT_TRUE(std::find(sizes.begin(), sizes.end(), 32ul) != sizes.end() ||
                std::find(sizes.begin(), sizes.end(), 16ul) != sizes.end());
    const std::vector<std::string> protocols = x->Protocols(dialog);
    EXPECT_NE(std::find(protocols.begin(), protocols.end(), "WM_DELETE_WINDOW"), protocols.end());
}

TEST_F(StartState, DialogIsOnTopWithTheCoverRightBelowIt) {
    StartLocker();
    const std::vector<::Window> stack = x->Stack();
    ASSERT_GE(stack.size(), 2u);
    EXPECT_EQ(stack[stack.size() - 1], dialog);
    EXPECT_EQ(stack[stack.size() - 2], cover);
}

TEST_F(StartState, ScreenIsBlackAroundTheGreyDialog) {
    StartLocker();
    const Rect root = x->RootRect();
    const Rect d = DialogRect();
    EXPECT_EQ(x->Pixel(0, 0), kBlack);
    EXPECT_EQ(x->Pixel(root.w - 1, root.h - 1), kBlack);
    EXPECT_EQ(x->Pixel(d.x - 1, d.y + d.h / 2), kBlack);
    EXPECT_EQ(x->Pixel(d.x + d.w, d.y + d.h / 2), kBlack);
    EXPECT_EQ(x->Pixel(d.x + d.w / 2, d.y + d.h), kBlack);
    const Rgb face = x->Dominant(d);
    EXPECT_NE(face, kBlack);
    EXPECT_NE(face, kWhite);
    EXPECT_EQ(face.r, face.g) << "the dialog face is " << ToString(face);
    EXPECT_EQ(face.g, face.b) << "the dialog face is " << ToString(face);
}

TEST_F(StartState, StatusLabelIsYellow) {
    StartLocker();
    EXPECT_EQ(StatusColour(), kYellow);
}

// A screen of 16 bits a pixel takes the dialog in its own layout of red,
// green and blue, each colour as near as its bits allow.
class SixteenBitScreen : public LockerTest {
protected:
    SixteenBitScreen() { screen_depth = 16; }
};

// Five bits of red and of blue, six of green, read back scaled to 0..255.
Rgb In565(Rgb c) { return {(c.r >> 3) * 255 / 31, (c.g >> 2) * 255 / 63, (c.b >> 3) * 255 / 31}; }

TEST_F(SixteenBitScreen, DialogShowsInTheScreensOwnPixels) {
    StartLocker();  // finds the status yellow, which 16 bits hold exactly
    const Rect d = DialogRect();
    EXPECT_EQ(x->Pixel(0, 0), kBlack);
    EXPECT_EQ(x->Dominant(d), In565({192, 192, 192}));
    x->Type("a");
    x->Key("Return");
    EXPECT_TRUE(StatusBecomes(In565(kLightRed)));
}

// A screen with a colour map cannot take the dialog's pixels as they are
// painted: the program says so and ends before it grabs or shows anything.
class EightBitScreen : public LockerTest {
protected:
    EightBitScreen() { screen_depth = 8; }
};

TEST_F(EightBitScreen, IsRefusedBeforeAnythingIsShownOrHeld) {
    Run();
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_NE(locker->Stderr().find("umbrafold: cannot draw the dialog: "), std::string::npos) << locker->Stderr();
    EXPECT_EQ(FindCover(), 0u);
    EXPECT_EQ(FindDialog(), 0u);
    EXPECT_EQ(x->TryGrabKeyboard(), GrabSuccess);
}

// Typing goes into the box without a click: the text locks with Enter.
TEST_F(StartState, FocusIsInTheBox) {
    StartLocker();
    x->Type("a");
    x->Key("Return");
    EXPECT_TRUE(StatusBecomes(kLightRed));
    EXPECT_TRUE(locker->Running());
}

TEST_F(StartState, EnterOnTheEmptyBoxExits) {
    StartLocker();
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(StartState, ExitButtonWorksBeforeAnyPassword) {
    StartLocker();
    ClickOn(kExitButton);
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace e2e
