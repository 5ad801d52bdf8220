// The lock cycle on the screen: store a password, red while the text does
// not match, green once it does in any letter case, then out.
#include "locker_test.h"

namespace e2e {
namespace {

using LockCycle = LockerTest;

TEST_F(LockCycle, WholeCycleWithTheMouse) {
    StartLocker();
    x->Type("abc");
    ClickOn(kLockButton);
    ASSERT_TRUE(StatusBecomes(kLightRed));
    // Exit is disabled while the text does not match: this click is lost.
    ClickOn(kExitButton);
    x->Type("abc");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    EXPECT_TRUE(locker->Running());
    ClickOn(kExitButton);
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(LockCycle, WholeCycleWithTheKeyboard) {
    StartLocker();
    LockWith("secret");
    x->Type("secret");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(LockCycle, MixedCasePasswordOpensInCapitalsAndInSmallLetters) {
    StartLocker();
    LockWith("MiXeD");
    x->Type("MIXED");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    for (int i = 0; i < 5; ++i) x->Key("BackSpace");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("mixed");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(LockCycle, StatusFollowsEveryKeystroke) {
    StartLocker();
    LockWith("ab");
    x->Type("aB");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Type("c");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Key("BackSpace");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
}

// A wrong text and Enter: the box is emptied, so the password typed next
// stands alone and opens the lock.
TEST_F(LockCycle, EnterWithAWrongTextEmptiesTheBox) {
    StartLocker();
    LockWith("pw");
    x->Type("px");
    x->Key("Return");
    x->Type("pw");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("KP_Enter");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(LockCycle, SpacesCount) {
    StartLocker();
    LockWith("a b");
    x->Type("ab");
    x->Key("Return");  // wrong: empties the box
    x->Type("A B");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Type(" ");
    ASSERT_TRUE(StatusBecomes(kLightRed));
}

TEST_F(LockCycle, FoldingAboutKeepsTheStatus) {
    StartLocker();
    LockWith("q");
    const Rect title = OnScreen(kTitle);
    x->Click(title.x + title.w / 2, title.y + title.h / 3);
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
    // The resized window is painted afresh just after its size changes.
    EXPECT_TRUE(StatusBecomes(kLightRed));
    x->Type("Q");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

}  // namespace
}  // namespace e2e
