// One run of Umbrafold.exe under Wine, in a private Xvfb, with the lock
// window's controls located on the screen from the layout table.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "process.h"
#include "x_client.h"
#include "x_server.h"

class WineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    e2e::XClient& x() { return *x_; }

    // The lock window's outer rectangle on the screen, as X reports it.
    e2e::Rect DialogRect() const;
    // A control of the lock window, in screen pixels.
    e2e::Rect ControlRect(int control) const;
    void ClickControl(int control);

    // The colour most of the status label shows, inside its border.
    e2e::Rgb StatusColour() const;
    bool WaitForStatus(e2e::Rgb colour);

    // Types the password and Enter, and waits for the locked status.
    void Lock(const char* password);

    // The program's exit status once it has ended, or nothing.
    std::optional<e2e::ExitStatus> WaitExit();

    ::Window cover_ = 0;
    ::Window dialog_ = 0;

private:
    std::unique_ptr<e2e::XServer> server_;
    std::unique_ptr<e2e::XClient> x_;
    std::unique_ptr<e2e::Process> wine_;
};

// Whether the program ended through exit with status 0. (The driver's
// ExitStatus::Success is shadowed by the macro of that name in X.h.)
inline bool EndedWithZero(const e2e::ExitStatus& status) { return status.exited && status.code == 0; }

// A layout colour, 0x00BBGGRR, as it reads back from the screen.
e2e::Rgb ScreenColour(unsigned colour);

// Twips to pixels at the 96 dots per inch Wine reports by default.
int Pixels(int twips);
