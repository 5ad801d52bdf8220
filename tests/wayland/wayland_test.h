// The fixture of every Wayland test: its own headless sway, a virtual
// keyboard and pointer on its seat, the real program started in that
// session, and the dialog found on the pictures of the outputs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "compositor.h"
#include "image.h"
#include "locker_test.h"
#include "virtual_input.h"
#include "wait.h"

namespace wayland {

using e2e::kBlack;
using e2e::kLightGreen;
using e2e::kLightRed;
using e2e::kYellow;
using e2e::WaitUntil;

// What sway shows of an output whose locker died.
inline constexpr Rgb kDeadLockRed{255, 0, 0};

class WaylandTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the compositor and adds the virtual devices to its seat.
    void StartCompositor(const CompositorOptions& options = {});
    // Runs the umbrafold command in the session.
    Process& Run(const Environment& extra = {});
    // Runs it and waits until the dialog is up on the first output.
    void StartLocker();

    // A picture of the output, by default the one the dialog is on.
    Image Shot(const std::string& output = "") { return compositor->Screenshot(output.empty() ? dialog_output : output); }
    // The dialog on the output, found by its frame.
    Rect DialogOn(const std::string& output = "") { return Shot(output).FindDialog(); }
    // Twips to pixels of the output, at 96 dpi times its scale.
    int Px(int twips) const { return scale * ((twips * 96 + 720) / 1440); }
    // A control's rectangle on the dialog's output, by its index in the
    // program's own table of the lock window's controls.
    Rect OnScreen(int control);
    void ClickOn(int control);
    // Where the pointer goes on the first output, in its pixels.
    void MoveTo(int x, int y);

    Rgb StatusColour();
    ::testing::AssertionResult StatusBecomes(Rgb colour);
    // Types the password, presses Enter and waits for the lock.
    void LockWith(const std::string& password);
    // How the program ended, or "still running" after the timeout.
    std::string Ending(double timeout_seconds = 10.0);
    // Whether every pixel of the output has this colour.
    bool AllOf(const std::string& output, Rgb colour);
    // Waits until the first output shows the desktop again: no black and
    // none of the red of a dead lock.
    ::testing::AssertionResult DesktopShows();

    std::unique_ptr<Compositor> compositor;
    std::unique_ptr<VirtualInput> input;
    std::unique_ptr<Process> locker;
    CompositorOptions options;
    int scale = 1;
    Rect dialog;  // where StartLocker found it
    std::string dialog_output = "HEADLESS-1";
};

}  // namespace wayland
