// The fixture of the Wine tests: a fresh run of Umbrafold.exe per test.
#pragma once

#include <gtest/gtest.h>

#include "wine_session.h"

class WineTest : public ::testing::Test, public WineSession {
protected:
    void SetUp() override;
    void TearDown() override { Stop(); }

    // Types the password and Enter, and waits for the locked status.
    void Lock(const char* password);
};
