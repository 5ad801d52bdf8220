// Monotonic time in milliseconds, the one clock every figure is read from.
#pragma once

#include <chrono>
#include <thread>

namespace bench {

inline double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline void SleepUs(long us) { std::this_thread::sleep_for(std::chrono::microseconds(us)); }

}  // namespace bench
