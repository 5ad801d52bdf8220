// What every attack test shares: a lock already holding a password, a probe
// that keeps trying to take the grabs, screenshots that look for anything
// but the cover, and the unlock that proves the lock survived.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "locker_test.h"

namespace attack {

using namespace e2e;

inline constexpr const char* kPassword = "pass";
inline constexpr Rgb kMagenta{255, 0, 255};  // foreign windows' colour

// From a connection of its own, tries XGrabKeyboard and XGrabPointer every
// few milliseconds; every answer must be AlreadyGrabbed while the lock holds.
class GrabProbe {
public:
    explicit GrabProbe(const std::string& display);
    ~GrabProbe();  // stops sampling
    void Stop();

    int samples() const { return samples_; }
    // Samples whose answer was anything but AlreadyGrabbed, for either device.
    int failures() const { return failures_; }

private:
    std::atomic<bool> running_{true};
    std::atomic<int> samples_{0};
    std::atomic<int> failures_{0};
    std::thread thread_;
};

class AttackTest : public LockerTest {
protected:
    void TearDown() override;

    // Starts the program, locks it with kPassword and starts the probe.
    void StartLocked();
    void StartProbe();
    // Stops the probe; fails the test unless every sample found the grabs held.
    void ExpectGrabsHeldThroughout();

    // Pixels outside the dialog that are not the cover's black.
    long ExposedPixels() const;
    ::testing::AssertionResult NothingExposed(double timeout_seconds = kTimeout);
    // The cover and then the dialog are the two topmost mapped children of
    // the root.
    bool OursOnTop() const;
    // Finds both windows again, which may have been created anew.
    bool FindWindowsAgain();

    // Empties the password box, which holds sixteen characters at most.
    void ClearBox();
    // The rest of the password after the box already holds its first part,
    // then Enter: the program ends with status 0.
    void FinishPasswordAndUnlock(const std::string& rest);
    void UnlockWithPassword() { FinishPasswordAndUnlock(kPassword); }

    std::unique_ptr<GrabProbe> probe;
};

// CPU seconds (user + system) the process has used so far.
double CpuSeconds(int pid);
// Resident memory of the process, in KiB.
long ResidentKiB(int pid);

}  // namespace attack
