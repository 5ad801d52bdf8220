// A raise war: a foreign override-redirect window lifts itself every 10 ms
// for five seconds. The lock stays on top in nearly every sample, without
// spending more than half a core on it.
#include "attack_test.h"

#include <chrono>
#include <iostream>

namespace attack {
namespace {

constexpr double kWarSeconds = 5.0;
constexpr double kMinOnTop = 0.95;
constexpr double kMaxCores = 0.5;

using RaiseWar = AttackTest;

TEST_F(RaiseWar, LockStaysOnTopWithoutBurningTheCpu) {
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());

    const double cpu_before = CpuSeconds(locker->pid());
    const auto start = std::chrono::steady_clock::now();
    const auto war_end = start + std::chrono::duration<double>(kWarSeconds);
    std::thread attacker([this, war_end] {
        XClient enemy(server->display());
        const ::Window window = enemy.MapForeignWindow(enemy.RootRect(), kMagenta, true);
        while (std::chrono::steady_clock::now() < war_end) {
            enemy.Raise(window);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });

    int samples = 0, on_top = 0;
    while (std::chrono::steady_clock::now() < war_end) {
        ++samples;
        if (OursOnTop()) ++on_top;
        std::this_thread::sleep_for(std::chrono::milliseconds(7));
    }
    attacker.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cores = (CpuSeconds(locker->pid()) - cpu_before) / seconds;
    const double share = static_cast<double>(on_top) / samples;

    std::cout << "raise war: on top in " << on_top << " of " << samples << " samples; umbrafold used " << cores
              << " of a core\n";
    RecordProperty("samples", samples);
    RecordProperty("on_top", on_top);
    EXPECT_GE(share, kMinOnTop) << on_top << " of " << samples << " samples";
    EXPECT_LT(cores, kMaxCores);

    ASSERT_TRUE(WaitUntil([this] { return OursOnTop(); }));
    EXPECT_TRUE(NothingExposed());
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

}  // namespace
}  // namespace attack
