// The whole lock cycle under valgrind: store a password, type it back, leave
// through Exit. Memcheck ends the run with a failure status on any memory
// error or any block definitely lost.
#include "locker_test.h"

namespace e2e {
namespace {

// Everything is many times slower under valgrind.
constexpr double kSlow = 60.0;
constexpr int kMemcheckFailed = 99;

using Memcheck = LockerTest;

TEST_F(Memcheck, LockCycleHasNoErrorsAndNoDefiniteLeaks) {
    Spawn spawn;
    spawn.argv = {VALGRIND_PATH,
                  "--tool=memcheck",
                  "--leak-check=full",
                  "--errors-for-leak-kinds=definite",
                  "--error-exitcode=" + std::to_string(kMemcheckFailed),
                  "--suppressions=" SUPPRESSIONS_PATH,
                  UMBRAFOLD_PATH};
    spawn.set_env = {{"DISPLAY", server->display()}};
    spawn.unset_env = {"WAYLAND_DISPLAY"};
    Run(spawn);
    ASSERT_TRUE(WaitUntil([this] { return (dialog = FindDialog()) && (cover = FindCover()); }, kSlow))
        << locker->Stderr();
    ASSERT_TRUE(WaitUntil([this] { return StatusColour() == kYellow; }, kSlow));
    x->Type("Memo");
    x->Key("Return");
    ASSERT_TRUE(WaitUntil([this] { return StatusColour() == kLightRed; }, kSlow));
    x->Type("mEMO");
    ASSERT_TRUE(WaitUntil([this] { return StatusColour() == kLightGreen; }, kSlow));
    x->Key("Return");
    EXPECT_EQ(Ending(kSlow), "exit status 0") << locker->Stderr();
    EXPECT_NE(locker->Stderr().find("ERROR SUMMARY: 0 errors"), std::string::npos) << locker->Stderr();
}

}  // namespace
}  // namespace e2e
