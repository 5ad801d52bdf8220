// While the session is locked, no other program has the keyboard: an
// ordinary window focused before the lock loses the focus and is sent no
// key, and gets the focus back once the lock is left through Exit.
#include "wayland_test.h"
// After GoogleTest, whose names X11's macros would clash with.
#include "focus_probe.h"

namespace wayland {
namespace {

using Isolation = WaylandTest;

TEST_F(Isolation, OtherClientsGetNoFocusAndNoKeyWhileLocked) {
    StartCompositor();
    FocusProbe probe(compositor->Socket());
    ASSERT_TRUE(WaitUntil([&] {
        probe.Pump();
        return probe.Focused();
    })) << "the probe never had the focus";
    input->Type("x");
    ASSERT_TRUE(WaitUntil([&] {
        probe.Pump();
        return probe.Keys() > 0;
    })) << "keys do not reach the probe even unlocked";
    const int keys_before = probe.Keys();

    StartLocker();
    probe.Pump();
    EXPECT_FALSE(probe.Focused());
    LockWith("secret");
    input->Type("wrong");
    input->Key("Tab");
    input->Key("Escape");
    input->Key("x", {"Alt_L"});
    probe.Pump();
    EXPECT_FALSE(probe.Focused());
    EXPECT_EQ(probe.Keys(), keys_before);

    for (int i = 0; i < 5; ++i) input->Key("BackSpace");
    input->Type("secret");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    ASSERT_EQ(Ending(), "exit status 0");
    EXPECT_TRUE(WaitUntil([&] {
        probe.Pump();
        return probe.Focused();
    })) << "the focus did not come back after the unlock";
    EXPECT_EQ(probe.Keys(), keys_before);
}

}  // namespace
}  // namespace wayland
