// One run of Umbrafold.exe under Wine, in a private Xvfb, with the lock
// window's controls located on the screen from the layout table.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "process.h"
#include "x_client.h"
#include "x_server.h"

class WineSession {
public:
    WineSession() = default;
    ~WineSession() { Stop(); }
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Starts Xvfb and the program, and waits until both windows are up;
    // throws when they do not appear.
    void Start();
    // Ends the program and its wineserver, then the X server.
    void Stop();

    e2e::XClient& x() { return *x_; }
    const std::string& display() const { return server_->display(); }

    // The lock window's outer rectangle on the screen, as X reports it.
    e2e::Rect DialogRect() const;
    // A control of the lock window, in screen pixels.
    e2e::Rect ControlRect(int control) const;
    void ClickControl(int control);

    // The colour most of the status label shows, inside its border.
    e2e::Rgb StatusColour() const;
    bool WaitForStatus(e2e::Rgb colour);
    bool WaitForHeight(int twips);

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
// ExitStatus::Success is hidden by the macro of that name in X.h.)
inline bool EndedWithZero(const e2e::ExitStatus& status) { return status.exited && status.code == 0; }

// A layout colour, 0x00BBGGRR, as it reads back from the screen.
e2e::Rgb ScreenColour(unsigned colour);

// Twips to pixels at the 96 dots per inch Wine reports by default.
int Pixels(int twips);
