// The title label folds the About panel out below the status and back in;
// the dialog grows and shrinks at its bottom edge only.
#include "locker_test.h"

namespace e2e {
namespace {

class AboutFold : public LockerTest {
protected:
    // The upper part of the title, clear of the byline under its edge.
    void ClickTitle() {
        const Rect title = OnScreen(kTitle);
        x->Click(title.x + title.w / 2, title.y + title.h / 3);
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
