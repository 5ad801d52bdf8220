// Keyboard maps: one with a key that breaks every grab is refused; a layout
// switched while locked is followed, so the password still opens the lock;
// a dead key composes with the next one.
#include "attack_test.h"

#include <X11/keysym.h>

#include <algorithm>

namespace attack {
namespace {

using Keymap = AttackTest;

// Runs setxkbmap with these arguments on the test's display.
::testing::AssertionResult SetKeymap(const std::string& display, const std::vector<std::string>& args) {
    Spawn spawn;
    spawn.argv = {SETXKBMAP_PATH};
    spawn.argv.insert(spawn.argv.end(), args.begin(), args.end());
    spawn.set_env = {{"DISPLAY", display}};
    Process setxkbmap(spawn);
    const auto status = setxkbmap.WaitExit(kTimeout);
    if (status && status->exited && status->code == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "setxkbmap failed: " << setxkbmap.Stderr();
}

TEST_F(Keymap, GrabBreakingKeymapIsRefused) {
    ASSERT_TRUE(SetKeymap(server->display(), {"-option", "grab:break_actions"}));
    Run();
    EXPECT_EQ(Ending(), "exit status 1");
    const std::string err = locker->Stderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("grab"), std::string::npos) << err;
    EXPECT_EQ(FindDialog(), 0u);
    // Nothing was left grabbed either.
    EXPECT_EQ(x->TryGrabKeyboard(), GrabSuccess);
}

// On a German keyboard Y and Z trade places. Typing by keysym through a
// connection that knows the new map sends the other keys; a program that
// kept the old map would read them as "yz" and stay locked.
TEST_F(Keymap, LayoutSwitchedWhileLockedIsFollowed) {
    StartLocker();
    LockWith("zy");
    probe = std::make_unique<GrabProbe>(server->display());
    const KeyCode z_before = XKeysymToKeycode(x->display(), XK_z);
    ASSERT_TRUE(SetKeymap(server->display(), {"de"}));

    XClient typist(server->display());
    ASSERT_NE(XKeysymToKeycode(typist.display(), XK_z), z_before) << "the layout did not change";
    typist.Type("zy");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    ExpectGrabsHeldThroughout();
    typist.Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

// The international US layout makes accented letters with a dead key. A
// program that dropped the dead key would read "e" for "é" and unlock on
// the bare letter; one that typed the accent on its own would not unlock
// on "é" at all.
TEST_F(Keymap, DeadKeyComposesWithTheNextKey) {
    ASSERT_TRUE(SetKeymap(server->display(), {"us", "-variant", "intl"}));
    StartLocker();
    XClient typist(server->display());
    typist.Key("dead_acute");
    typist.Type("e");
    typist.Key("Return");  // locks on what the box holds
    ASSERT_TRUE(StatusBecomes(kLightRed));
    typist.Type("e");
    typist.Key("Return");  // wrong: only empties the box
    typist.BindKey(U'\u00E9', U'\u00C9');
    typist.Type("\u00C9");  // É, typed on a key of its own
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    typist.Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace attack
