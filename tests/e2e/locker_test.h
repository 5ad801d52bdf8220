// The fixture of every end-to-end test: its own Xvfb with a white root, the
// real program started on it, and the dialog's controls located on screen.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "process.h"
#include "wait.h"
#include "windows/frmWindowControls.h"
#include "x_client.h"
#include "x_server.h"

namespace e2e {

// The controls the tests touch, by their index in the program's own table
// of the lock window's controls, where their place in twips is given.
inline constexpr int kTitle = frmWindowControls::lblUmbrafold;
inline constexpr int kBox = frmWindowControls::txtPass;
inline constexpr int kLockButton = frmWindowControls::cmdLock;
inline constexpr int kExitButton = frmWindowControls::cmdExit;
inline constexpr int kStatus = frmWindowControls::lblLocked;
inline constexpr int kAboutPanel = frmWindowControls::About;

inline constexpr int kCompactHeight = 97;
inline constexpr int kExpandedHeight = 183;
inline constexpr int kDialogWidth = 202;

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kLightRed{255, 128, 128};
inline constexpr Rgb kLightGreen{128, 255, 128};

class LockerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the program with these arguments on the test's display.
    Process& Run(const std::vector<std::string>& args = {});
    Process& Run(const Spawn& spawn);
    // Runs it and waits until both windows are up and the status painted.
    void StartLocker();

    // The windows, found by class and name; 0 while not mapped.
    ::Window FindDialog() const;
    ::Window FindCover() const;
    Rect DialogRect() const;

    // Twips to pixels at the test's dpi, rounded to nearest.
    int Px(int twips) const { return (twips * drawn_dpi + 720) / 1440; }
    // A control's rectangle on the screen.
    Rect OnScreen(int control) const;
    // Clicks the middle of the control.
    void ClickOn(int control);

    // The colour that fills the status label, read from the screen.
    Rgb StatusColour() const;
    // Waits until the status label shows colour; reports what it shows.
    ::testing::AssertionResult StatusBecomes(Rgb colour);
    ::testing::AssertionResult DialogHeightBecomes(int pixels);
    // Types password, presses Enter and waits for the lock.
    void LockWith(const std::string& password);
    // How the program ended ("exit status 0", "killed by signal 9"), or
    // "still running" when it has not ended within the timeout.
    std::string Ending(double timeout_seconds = 10.0);

    std::unique_ptr<XServer> server;
    std::unique_ptr<XClient> x;
    std::unique_ptr<Process> locker;
    ::Window dialog = 0;
    ::Window cover = 0;
    int drawn_dpi = 96;  // what the program is expected to draw at
    int screen_depth = 24;  // bits a pixel of the test's screen, set before SetUp
};

}  // namespace e2e
