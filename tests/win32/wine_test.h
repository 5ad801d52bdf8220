// The fixture of the Wine tests: a fresh run of Umbrafold.exe per test.
#pragma once

#include <gtest/gtest.h>

#include "wine_session.h"

class WineTest : public ::testing::Test, public WineSession {
protected:
    void SetUp() override;
    void TearDown() override { Stop(); }

    // The prefix and settings the run uses; the default prefix unless a
    // fixture says otherwise.
    virtual WineSetup Setup() const { return {}; }

    // Types the password and Enter, and waits for the locked status.
    void Lock(const char* password);

    // The start state: the cover black over the whole screen, and the lock
    // window compact, centred and in front of it.
    void ExpectBlackCoverOverTheScreen();
    void ExpectCompactDialogCentredInFront();
    // Locks, types the password back, goes red again with one character
    // too many and green without it, and leaves through Enter.
    void RunLockCycle();
};
