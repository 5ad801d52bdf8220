// Waiting on a condition with a deadline instead of sleeping blindly.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

inline constexpr double kTimeout = 5.0;  // seconds; generous for loaded CI

// Polls condition until it holds or timeout_seconds pass; returns whether
// it held. The condition is evaluated once more at the deadline.
template <typename Condition>
bool WaitUntil(Condition condition, double timeout_seconds = kTimeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeout_seconds);
    while (!condition()) {
        if (Clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace e2e
