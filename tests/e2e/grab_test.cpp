// Holding the screen: keyboard and pointer grabbed from start to exit, other
// windows kept under the cover, and no lock at all when a grab is taken.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "locker_test.h"

namespace e2e {
namespace {

using Holding = LockerTest;

int StackIndex(const std::vector<::Window>& stack, ::Window window) {
    const auto it = std::find(stack.begin(), stack.end(), window);
    return it == stack.end() ? -1 : static_cast<int>(it - stack.begin());
}

TEST_F(Holding, KeyboardAndPointerAreHeldBeforeAPasswordIsStored) {
    StartLocker();
    EXPECT_EQ(x->TryGrabKeyboard(), AlreadyGrabbed);
    EXPECT_EQ(x->TryGrabPointer(), AlreadyGrabbed);
}

TEST_F(Holding, KeyboardAndPointerAreHeldWhileLocked) {
    StartLocker();
    LockWith("held");
    EXPECT_EQ(x->TryGrabKeyboard(), AlreadyGrabbed);
    EXPECT_EQ(x->TryGrabPointer(), AlreadyGrabbed);
}

TEST_F(Holding, ExitGivesKeyboardAndPointerBack) {
    StartLocker();
    LockWith("back");
    x->Type("back");
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    ASSERT_EQ(Ending(), "exit status 0");
    EXPECT_EQ(x->TryGrabKeyboard(), GrabSuccess);
    EXPECT_EQ(x->TryGrabPointer(), GrabSuccess);
}

class ForeignWindow : public Holding, public ::testing::WithParamInterface<bool> {};

// Whatever another client maps or raises ends under the cover, and the
// dialog stays on top of everything.
TEST_P(ForeignWindow, EndsBelowTheCover) {
    StartLocker();
    LockWith("under");
    const Rect where{40, 40, 200, 150};
    const ::Window foreign = x->MapForeignWindow(where, {255, 0, 0}, GetParam());
    auto below = [&] {
        const std::vector<::Window> stack = x->Stack();
        const int f = StackIndex(stack, foreign), c = StackIndex(stack, cover);
        return f >= 0 && c > f && stack.back() == dialog;
    };
    EXPECT_TRUE(WaitUntil(below)) << "the foreign window stays above the cover";
    EXPECT_TRUE(WaitUntil([&] { return x->Pixel(where.x + 50, where.y + 50) == kBlack; }));

    x->Raise(foreign);
    EXPECT_TRUE(WaitUntil(below)) << "a raised foreign window stays above the cover";
    EXPECT_TRUE(WaitUntil([&] { return x->Pixel(where.x + 50, where.y + 50) == kBlack; }));
    EXPECT_TRUE(StatusBecomes(kLightRed));
}

INSTANTIATE_TEST_SUITE_P(OverrideRedirectOrNot, ForeignWindow, ::testing::Values(false, true));

// Watches the program while it waits for a grab it cannot have, until it
// gives up: a lock that could not hold keyboard and pointer must never look
// like one, so no window of it may be seen in the meantime.
bool ShowsAWindowBeforeGivingUp(Process& locker, const XClient& x) {
    while (locker.Running()) {
        if (x.Find("umbrafold", "Umbrafold", nullptr)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

TEST_F(Holding, RefusesToLockWhileAnotherClientHoldsTheKeyboard) {
    ASSERT_EQ(x->TryGrabKeyboard(true), GrabSuccess);
    Run();
    EXPECT_FALSE(ShowsAWindowBeforeGivingUp(*locker, *x));
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_NE(locker->Stderr().find("umbrafold: cannot grab the keyboard: another program holds it"),
              std::string::npos)
        << locker->Stderr();
}

TEST_F(Holding, RefusesToLockWhileAnotherClientHoldsThePointer) {
    ASSERT_EQ(x->TryGrabPointer(true), GrabSuccess);
    Run();
    EXPECT_FALSE(ShowsAWindowBeforeGivingUp(*locker, *x));
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_NE(locker->Stderr().find("umbrafold: cannot grab the pointer: another program holds it"),
              std::string::npos)
        << locker->Stderr();
}

// The pointer shapes and the text the build's glyphs cannot draw come
// from modules loaded once the lock holds; a program that would not find
// either refuses before showing or grabbing anything.
TEST_F(Holding, RefusesToLockWithoutEitherOfItsModules) {
    const std::string build = std::filesystem::path(UMBRAFOLD_PATH).parent_path();
    for (const std::string missing : {"umbrafold-pointer.so", "umbrafold-text.so"}) {
        SCOPED_TRACE(missing);
        char folder[] = "/tmp/umbrafold-alone.XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        const std::string alone = std::string(folder) + "/umbrafold";
        std::filesystem::copy_file(UMBRAFOLD_PATH, alone);
        for (const std::string module : {"umbrafold-pointer.so", "umbrafold-text.so"})
            if (module != missing) std::filesystem::copy_file(build + "/" + module, std::string(folder) + "/" + module);
        Spawn spawn;
        spawn.argv = {alone};
        spawn.set_env = {{"DISPLAY", server->display()}};
        spawn.unset_env = {"WAYLAND_DISPLAY"};
        Run(spawn);
        EXPECT_FALSE(ShowsAWindowBeforeGivingUp(*locker, *x));
        EXPECT_EQ(Ending(), "exit status 1");
        EXPECT_NE(locker->Stderr().find("umbrafold: cannot find " + missing), std::string::npos) << locker->Stderr();
        EXPECT_EQ(x->TryGrabKeyboard(), GrabSuccess);
        std::filesystem::remove_all(folder);
    }
}

}  // namespace
}  // namespace e2e
