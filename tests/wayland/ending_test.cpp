// How the program ends in a Wayland session, and what that leaves: only
// Exit unlocks once a password is stored; a killed or terminated program
// leaves the session locked; a second copy and a compositor without the
// session lock are refused.
#include <csignal>

#include "wayland_test.h"

namespace wayland {
namespace {

using Endings = WaylandTest;

constexpr const char* kRefused = "umbrafold: the compositor refused the lock (another locker may hold the session)\n";
constexpr const char* kNoLock = "umbrafold: this Wayland compositor offers no session lock (ext-session-lock-v1)\n";

TEST_F(Endings, KillNineWhileLockedLeavesEveryOutputLocked) {
    StartCompositor({2});
    StartLocker();
    LockWith("pw");
    locker->Signal(SIGKILL);
    ASSERT_EQ(Ending(), "killed by signal 9");
    for (const char* output : {"HEADLESS-1", "HEADLESS-2"})
        EXPECT_TRUE(WaitUntil([&] { return AllOf(output, kDeadLockRed); })) << output << " shows the desktop";
}

// The way back into a session whose locker died: a new copy takes the
// abandoned lock over, and its Exit unlocks.
TEST_F(Endings, ANewCopyTakesOverAnAbandonedLock) {
    StartLocker();
    LockWith("pw");
    locker->Signal(SIGKILL);
    ASSERT_EQ(Ending(), "killed by signal 9");
    ASSERT_TRUE(WaitUntil([&] { return AllOf("HEADLESS-1", kDeadLockRed); }));
    StartLocker();
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_TRUE(DesktopShows());
}

TEST_F(Endings, TerminateWhileLockedEndsWithoutUnlocking) {
    StartLocker();
    LockWith("pw");
    locker->Signal(SIGTERM);
    ASSERT_EQ(Ending(), "exit status 143");
    EXPECT_TRUE(WaitUntil([&] { return AllOf("HEADLESS-1", kDeadLockRed); }));
}

TEST_F(Endings, TerminateBeforeAPasswordUnlocks) {
    StartLocker();
    locker->Signal(SIGTERM);
    ASSERT_EQ(Ending(), "exit status 143");
    EXPECT_TRUE(DesktopShows());
}

TEST_F(Endings, InterruptBeforeAPasswordUnlocks) {
    StartLocker();
    locker->Signal(SIGINT);
    ASSERT_EQ(Ending(), "exit status 130");
    EXPECT_TRUE(DesktopShows());
}

// Signals that a terminal or a stray key sends end nothing once locked.
TEST_F(Endings, SignalsOfTheTerminalAreIgnoredWhileLocked) {
    StartLocker();
    LockWith("pw");
    for (int signo : {SIGHUP, SIGINT, SIGQUIT, SIGTSTP, SIGPIPE}) locker->Signal(signo);
    input->Type("pw");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    EXPECT_TRUE(locker->Running());
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Endings, ASecondCopyIsRefusedAndTheFirstHoldsOn) {
    StartLocker();
    LockWith("pw");
    const std::unique_ptr<Process> first = std::move(locker);
    Run();
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_EQ(locker->Stderr(), kRefused);
    EXPECT_TRUE(first->Running());
    input->Type("pw");
    EXPECT_TRUE(StatusBecomes(kLightGreen));
    input->Key("Return");
    const auto status = first->WaitExit(10.0);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->Describe(), "exit status 0");
}

TEST_F(Endings, ACompositorWithoutTheSessionLockIsRefused) {
    if (std::string(WESTON_PATH).empty() || std::string(WESTON_PATH).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "no weston to stand for a compositor without the session lock";
    LocklessCompositor weston;
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.set_env = weston.Env();
    spawn.unset_env = {"DISPLAY"};
    locker = std::make_unique<Process>(spawn);
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_EQ(locker->Stderr(), kNoLock);
}

}  // namespace
}  // namespace wayland
