// A second copy started while one locks cannot take the grabs: it leaves
// with status 1 and one line on stderr, and the first goes on locking.
#include "attack_test.h"

#include <algorithm>

namespace attack {
namespace {

using SecondInstance = AttackTest;

TEST_F(SecondInstance, LeavesWithStatusOneAndTheFirstHolds) {
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.set_env = {{"DISPLAY", server->display()}};
    spawn.unset_env = {"WAYLAND_DISPLAY"};
    Process second(spawn);

    const auto status = second.WaitExit(kTimeout);
    ASSERT_TRUE(status.has_value()) << "the second copy is still running";
    EXPECT_EQ(status->Describe(), "exit status 1");
    const std::string err = second.Stderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("umbrafold: ", 0), 0u) << err;
    EXPECT_EQ(second.Stdout(), "");

    ASSERT_TRUE(FindWindowsAgain());
    EXPECT_TRUE(OursOnTop());
    EXPECT_TRUE(NothingExposed());
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

}  // namespace
}  // namespace attack
