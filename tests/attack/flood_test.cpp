// Floods: a key held down for a minute and 200,000 characters typed as
// fast as XTest sends them. Memory stays put, the box stops at sixteen
// characters, the lock holds, and the password opens it straight after.
#include "attack_test.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <iostream>

namespace attack {
namespace {

constexpr double kHoldSeconds = 60.0;
constexpr int kTypedCharacters = 200'000;
constexpr long kMaxGrowthKiB = 1024;
constexpr int kBatch = 500;  // key strokes sent between two round trips

void FakeKey(Display* d, KeyCode code, bool press) { XTestFakeKeyEvent(d, code, press, CurrentTime); }

class Flood : public AttackTest {
protected:
    // Runs both floods and checks the lock came through; returns how much
    // the resident memory grew at most, in KiB, or -1 when the lock ended.
    long FloodAndUnlock();
};

TEST_F(Flood, HeldKeysAndTypedFloodLeaveTheLockIntactAndMemoryPut) {
    const long growth = FloodAndUnlock();
    if (growth >= 0) {
        EXPECT_LT(growth, kMaxGrowthKiB);
    }
}

long Flood::FloodAndUnlock() {
    StartLocked();
    if (HasFatalFailure()) return -1;
    const int pid = locker->pid();
    // A first full box, so that what any first keystrokes allocate once
    // (glyphs, buffers) is not counted as the flood's.
    x->Type("warm up the box!");
    ClearBox();
    EXPECT_TRUE(StatusBecomes(kLightRed));
    const long rss_before = ResidentKiB(pid);
    Display* d = x->display();

    // The server repeats a held key by itself; the program keeps up while
    // its box stays full.
    XAutoRepeatOn(d);
    const KeyCode held = XKeysymToKeycode(d, XK_m);
    FakeKey(d, held, true);
    x->Sync();
    const auto hold_end = std::chrono::steady_clock::now() + std::chrono::duration<double>(kHoldSeconds);
    long peak = rss_before;
    while (std::chrono::steady_clock::now() < hold_end) {
        EXPECT_TRUE(locker->Running());
        if (!locker->Running()) return -1;
        peak = std::max(peak, ResidentKiB(pid));
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    FakeKey(d, held, false);
    // Off again, as the test's server started: from here on each key is
    // typed once however long its release takes to arrive.
    XAutoRepeatOff(d);
    x->Sync();

    const auto start = std::chrono::steady_clock::now();
    const KeyCode keys[] = {XKeysymToKeycode(d, XK_q), XKeysymToKeycode(d, XK_w), XKeysymToKeycode(d, XK_7),
                            XKeysymToKeycode(d, XK_space), XKeysymToKeycode(d, XK_BackSpace)};
    for (int i = 0; i < kTypedCharacters; ++i) {
        const KeyCode code = keys[i % 5];
        FakeKey(d, code, true);
        FakeKey(d, code, false);
        if (i % kBatch == 0) {
            x->Sync();
            peak = std::max(peak, ResidentKiB(pid));
        }
    }
    x->Sync();
    const double typing = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The program has read everything once its own round trip comes back:
    // the status follows a key typed now.
    EXPECT_TRUE(locker->Running());
    if (!locker->Running()) return -1;
    const long rss_after = ResidentKiB(pid);
    peak = std::max(peak, rss_after);
    std::cout << "flood: " << kTypedCharacters << " characters sent in " << typing << " s; resident memory "
              << rss_before << " KiB before, " << rss_after << " KiB after, " << peak << " KiB at most\n";
    RecordProperty("rss_growth_kib", static_cast<int>(peak - rss_before));
    EXPECT_TRUE(NothingExposed());
    EXPECT_TRUE(OursOnTop());
    ExpectGrabsHeldThroughout();

    // The box ends full (the flood may end on a Backspace). Fifteen Backspaces leave one character before the
    // password, so the lock stays; the sixteenth empties it, which a box
    // that had taken more could not.
    x->Type("zzz");
    x->Key("End");
    for (int i = 0; i < 15; ++i) x->Key("BackSpace");
    x->Type(kPassword);
    EXPECT_TRUE(StatusBecomes(kLightRed));
    x->Key("Home");
    x->Key("Delete");
    const auto typed = std::chrono::steady_clock::now();
    EXPECT_TRUE(WaitUntil([this] { return StatusColour() == kLightGreen; }, 1.0))
        << "the password did not open the lock within a second; " << ToString(StatusColour());
    x->Key("Return");
    EXPECT_EQ(Ending(1.0), "exit status 0");
    std::cout << "unlocked " << std::chrono::duration<double>(std::chrono::steady_clock::now() - typed).count()
              << " s after the password was complete\n";
    return peak - rss_before;
}

}  // namespace
}  // namespace attack
