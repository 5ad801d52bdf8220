// The mouse: a click focuses the box, a button fires when released over
// it, and the black cover takes clicks without effect.
#include "locker_test.h"

namespace e2e {
namespace {

using Mouse = LockerTest;

TEST_F(Mouse, ClickInTheBoxTakesTheFocusBack) {
    StartLocker();
    x->Type("a");
    x->Key("Tab");  // the focus leaves for Exit
    ClickOn(kBox);
    x->Type("b");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("ab");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

// Pressed on Lock but released elsewhere: no lock. Had Lock fired, "a"
// would be the password and the "ab" typed back would not open it.
TEST_F(Mouse, ButtonReleasedAwayFromItDoesNotFire) {
    StartLocker();
    x->Type("a");
    const Rect lock = OnScreen(kLockButton);
    x->MoveTo(lock.x + lock.w / 2, lock.y + lock.h / 2);
    x->Button(true);
    x->MoveTo(lock.x + lock.w / 2, lock.y + lock.h + 30);
    x->Button(false);
    ClickOn(kBox);
    x->Type("b");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("ab");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(Mouse, ClicksOnTheCoverChangeNothing) {
    StartLocker();
    LockWith("c");
    const Rect root = x->RootRect();
    const Rect d = DialogRect();
    for (unsigned button : {1u, 2u, 3u}) {
        x->Click(5, 5, button);
        x->Click(root.w - 5, root.h - 5, button);
        x->Click(d.x + d.w / 2, d.y + d.h + 10, button);
    }
    x->Type("c");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    const std::vector<::Window> stack = x->Stack();
    ASSERT_GE(stack.size(), 2u);
    EXPECT_EQ(stack[stack.size() - 1], dialog);
    EXPECT_EQ(stack[stack.size() - 2], cover);
    EXPECT_EQ(x->Pixel(5, 5), kBlack);
}

TEST_F(Mouse, ClickOnADisabledLockDoesNothing) {
    StartLocker();
    ClickOn(kLockButton);  // disabled: the box is empty
    x->Type("d");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("d");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

}  // namespace
}  // namespace e2e
