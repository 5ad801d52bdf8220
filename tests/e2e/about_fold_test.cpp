// The title label folds the About panel out below the status and back in;
// the dialog grows and shrinks at its bottom edge only.
#include <algorithm>
#include <string>
#include <vector>

#include "locker_test.h"
#include "platform/dialog/Layout.h"
#include "windows/frmWindowControls.h"

namespace e2e {
namespace {

class AboutFold : public LockerTest {
protected:
    // The upper part of the title, clear of the byline under its edge.
    void ClickTitle() {
        const Rect title = OnScreen(kTitle);
        x->Click(title.x + title.w / 2, title.y + title.h / 3);
    }

    // Where the image control of the panel is on the screen, at the test's
    // dpi; it sits in the group box's coordinates.
    Rect ImageBox() const {
        const dialog::Rect r = dialog::control_rect(frmWindowControls::kWindow, frmWindowControls::Image1,
                                                    drawn_dpi, drawn_dpi);
        const Rect window = DialogRect();
        const int frame = Px(frmWindowControls::kWindow.frame);
        return {window.x + frame + r.x, window.y + frame + r.y, r.w, r.h};
    }

    // The width of what is drawn in rect other than the face.
    int DrawnWidth(Rect rect, Rgb face) const {
        const std::vector<Rgb> pixels = x->Capture(rect);
        int left = rect.w, right = -1;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            if (pixels[i] == face) continue;
            const int column = static_cast<int>(i % static_cast<std::size_t>(rect.w));
            left = std::min(left, column);
            right = std::max(right, column);
        }
        return right < left ? 0 : right - left + 1;
    }

    // The icon fills its image control as far as whole multiples of its
    // size allow, and nothing of it spills out to the right.
    void ExpectIconKeepsToItsControl(int dpi, int icon_scale) {
        x->SetResources("Xft.dpi:\t" + std::to_string(dpi) + "\n");
        drawn_dpi = dpi;
        StartLocker();
        ClickTitle();
        ASSERT_TRUE(DialogHeightBecomes(dialog::twips_to_pixels(frmWindowControls::kExpandedHeight, dpi)));
        const Rect box = ImageBox();
        const Rgb face = x->Dominant(OnScreen(kAboutPanel));
        EXPECT_TRUE(WaitUntil([&] { return DrawnWidth(box, face) > 0; })) << "no icon in " << ToString(face);
        // Wider than the icon, 32 pixels square, could be at the scale below,
        // and no wider than at this one.
        EXPECT_GT(DrawnWidth(box, face), 32 * (icon_scale - 1));
        EXPECT_LE(DrawnWidth(box, face), 32 * icon_scale);
        EXPECT_EQ(DrawnWidth({box.x + box.w, box.y, Px(90), box.h}, face), 0);
    }

    // The middle of the panel, in the expanded window.
    Rgb PanelColour() const {
        const Rect panel = OnScreen(kAboutPanel);
        return x->Dominant({panel.x + 4, panel.y + panel.h / 2 - 4, panel.w - 8, 8});
    }
};

TEST_F(AboutFold, TitleClickExpandsAndFoldsAgain) {
    StartLocker();
    const Rect compact = DialogRect();
    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
    const Rect expanded = DialogRect();
    EXPECT_EQ(expanded.x, compact.x);
    EXPECT_EQ(expanded.y, compact.y);
    EXPECT_EQ(expanded.w, compact.w);
    // The panel is drawn on the dialog's face, not the cover showing through.
    EXPECT_TRUE(WaitUntil([&] { return PanelColour() != kBlack && PanelColour() != kWhite; }))
        << "the panel shows " << ToString(PanelColour());

    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kCompactHeight));
    EXPECT_EQ(DialogRect().y, compact.y);
    EXPECT_TRUE(WaitUntil([&] { return PanelColour() == kBlack; }))
        << "below the folded dialog: " << ToString(PanelColour());
}

TEST_F(AboutFold, IconKeepsItsSizeInTheLargerControlAt144Dpi) { ExpectIconKeepsToItsControl(144, 1); }

TEST_F(AboutFold, IconDoublesWithItsControlAt192Dpi) { ExpectIconKeepsToItsControl(192, 2); }

TEST_F(AboutFold, WorksTheSameWhileLocked) {
    StartLocker();
    LockWith("fold");
    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kCompactHeight));
    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
    x->Type("fold");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(AboutFold, ExpandedDialogStaysAboveTheCover) {
    StartLocker();
    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
    const std::vector<::Window> stack = x->Stack();
    ASSERT_FALSE(stack.empty());
    EXPECT_EQ(stack.back(), dialog);
}

// The rest of the dialog takes no part in folding.
TEST_F(AboutFold, OtherClicksDoNotFold) {
    StartLocker();
    ClickOn(kStatus);
    ClickOn(kBox);
    const Rect root = x->RootRect();
    x->Click(root.w / 8, root.h / 8);  // on the cover
    ClickTitle();
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
}

TEST_F(AboutFold, TheTitleShowsTheQuestionArrow) {
    StartLocker();
    const Rect title = OnScreen(kTitle);
    const Rect password = OnScreen(frmWindowControls::Label3);  // "Password:"
    x->MoveTo(title.x + title.w / 2, title.y + title.h / 3);
    EXPECT_TRUE(WaitUntil([&] { return x->CursorName() == "question_arrow"; })) << x->CursorName();
    x->MoveTo(password.x + 4, password.y + 4);
    EXPECT_TRUE(WaitUntil([&] { return x->CursorName() != "question_arrow"; }));
    x->MoveTo(title.x + title.w / 2, title.y + title.h / 3);
    EXPECT_TRUE(WaitUntil([&] { return x->CursorName() == "question_arrow"; })) << x->CursorName();
    x->MoveTo(5, 5);  // on the cover
    EXPECT_TRUE(WaitUntil([&] { return x->CursorName() != "question_arrow"; }));
}

}  // namespace
}  // namespace e2e
