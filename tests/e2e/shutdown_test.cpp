// Every way the program can end, and the ones that must not end a lock:
// close requests, signals, a lost connection, X errors.
#include <csignal>

#include "locker_test.h"

namespace e2e {
namespace {

using Shutdown = LockerTest;

TEST_F(Shutdown, CloseRequestBeforeAPasswordExits) {
    StartLocker();
    x->SendDeleteWindow(dialog);
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Shutdown, CloseRequestWhileLockedIsRefused) {
    StartLocker();
    LockWith("stay");
    x->Type("st");
    x->SendDeleteWindow(dialog);
    // Events are handled in order: once the fold shows, the request is done.
    const Rect title = OnScreen(kTitle);
    x->Click(title.x + title.w / 2, title.y + title.h / 3);
    ASSERT_TRUE(DialogHeightBecomes(kExpandedHeight));
    EXPECT_TRUE(locker->Running());
    EXPECT_TRUE(StatusBecomes(kLightRed));
    x->Type("ay");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Shutdown, CloseRequestWithTheMatchingTextExits) {
    StartLocker();
    LockWith("go");
    x->Type("GO");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->SendDeleteWindow(dialog);
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Shutdown, SigtermEndsAnOpenLockerUnsuccessfully) {
    StartLocker();
    locker->Signal(SIGTERM);
    const std::string ending = Ending();
    EXPECT_NE(ending, "still running");
    EXPECT_NE(ending, "exit status 0");
}

TEST_F(Shutdown, SigtermEndsALockUnsuccessfully) {
    StartLocker();
    LockWith("term");
    locker->Signal(SIGTERM);
    const std::string ending = Ending();
    EXPECT_NE(ending, "still running");
    EXPECT_NE(ending, "exit status 0");
}

TEST_F(Shutdown, SigintBeforeAPasswordEndsUnsuccessfully) {
    StartLocker();
    locker->Signal(SIGINT);
    const std::string ending = Ending();
    EXPECT_NE(ending, "still running");
    EXPECT_NE(ending, "exit status 0");
}

TEST_F(Shutdown, SighupBeforeAPasswordEndsUnsuccessfully) {
    StartLocker();
    locker->Signal(SIGHUP);
    const std::string ending = Ending();
    EXPECT_NE(ending, "still running");
    EXPECT_NE(ending, "exit status 0");
}

// A closed terminal or a stray Ctrl+C must not end a lock.
TEST_F(Shutdown, InterruptsAndHangUpsAreIgnoredWhileLocked) {
    StartLocker();
    LockWith("keep");
    for (int sig : {SIGINT, SIGHUP, SIGQUIT, SIGTSTP, SIGPIPE}) locker->Signal(sig);
    x->Type("keep");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

TEST_F(Shutdown, LosingTheServerEndsWithStatus1) {
    StartLocker();
    LockWith("gone");
    x->KillClientOf(dialog);
    EXPECT_EQ(Ending(), "exit status 1");
}

// Another client destroys the cover; restacking it then fails with an X
// error, which must not end the lock.
TEST_F(Shutdown, AnXErrorDoesNotEndTheLock) {
    StartLocker();
    LockWith("err");
    x->Destroy(cover);
    x->MapForeignWindow({10, 10, 50, 50}, {0, 0, 255}, true);
    x->Type("err");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

}  // namespace
}  // namespace e2e
