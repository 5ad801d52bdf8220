// The password box: sixteen characters at most, shown masked, edited with
// the usual keys before the rules see the text.
#include "locker_test.h"

namespace e2e {
namespace {

using PasswordBox = LockerTest;

// The box's inside, without its sunken border.
Rect Inside(Rect box) { return {box.x + 3, box.y + 3, box.w - 6, box.h - 6}; }

// Columns in which two captures of the same rectangle differ.
int DifferingColumns(const std::vector<Rgb>& a, const std::vector<Rgb>& b, int width) {
    int columns = 0;
    for (int col = 0; col < width; ++col)
        for (std::size_t i = static_cast<std::size_t>(col); i < a.size() && i < b.size(); i += width)
            if (a[i] != b[i]) {
                ++columns;
                break;
            }
    return columns;
}

TEST_F(PasswordBox, SeventeenthCharacterIsRefused) {
    StartLocker();
    LockWith("abcdefghijklmnopq");  // only the first sixteen are stored
    x->Type("ABCDEFGHIJKLMNOP");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    // Refused again: the box still holds the password, so Enter leaves.
    x->Type("Q");
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// Whatever is typed, the box shows the same marks for the same length.
// Tab after the text moves the focus to Exit: once Exit shows it, the keys
// before it are drawn, and the box has no caret to blink.
TEST_F(PasswordBox, CharactersAreMasked) {
    StartLocker();
    const Rect inside = Inside(OnScreen(kBox));
    const Rect exit = OnScreen(kExitButton);
    const std::vector<Rgb> unfocused = x->Capture(exit);
    const std::vector<Rgb> empty = x->Capture(inside);
    x->Type("WWW");
    x->Key("Tab");
    ASSERT_TRUE(WaitUntil([&] { return x->Capture(exit) != unfocused; })) << "Exit never took the focus";
    const std::vector<Rgb> wide = x->Capture(inside);
    ASSERT_GT(DifferingColumns(wide, empty, inside.w), 4);

    // The box looks like wide already, so the program must be seen to have
    // come round again: Exit loses the focus to the box, then takes it back
    // with the Tab typed after the new text.
    x->Key("p", {"Alt_L"});
    ASSERT_TRUE(WaitUntil([&] { return x->Capture(exit) == unfocused; })) << "the box never took the focus back";
    for (int i = 0; i < 3; ++i) x->Key("BackSpace");
    x->Type("iii");
    x->Key("Tab");
    ASSERT_TRUE(WaitUntil([&] { return x->Capture(exit) != unfocused; })) << "Exit never took the focus again";
    EXPECT_TRUE(WaitUntil([&] { return x->Capture(inside) == wide; }))
        << "\"iii\" and \"WWW\" look different in the box";
}

TEST_F(PasswordBox, HomeAndDeleteEditTheStart) {
    StartLocker();
    x->Type("xabc");
    x->Key("Home");
    x->Key("Delete");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("abc");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(PasswordBox, LeftAndBackSpaceEditTheMiddle) {
    StartLocker();
    x->Type("abXc");
    x->Key("Left");
    x->Key("BackSpace");
    x->Key("End");
    x->Type("d");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("abcd");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(PasswordBox, RightMovesBackTowardsTheEnd) {
    StartLocker();
    x->Type("ac");
    x->Key("Home");
    x->Key("Right");
    x->Type("b");
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
    x->Type("abc");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

TEST_F(PasswordBox, EditingWhileLockedIsComparedToo) {
    StartLocker();
    LockWith("pass");
    x->Type("pas");
    x->Key("Home");
    x->Type("s");  // "spas"
    x->Key("Home");
    x->Key("Delete");  // "pas"
    x->Key("End");
    x->Type("S");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
}

}  // namespace
}  // namespace e2e
