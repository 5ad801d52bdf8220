// One run of Umbrafold.exe under Wine, in a private Xvfb, with the lock
// window's controls located on the screen from the layout table.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "process.h"
#include "x_client.h"
#include "x_server.h"

// Where and how a run happens. Every prefix is made before the tests by
// prepare-wine-prefix.sh.
struct WineSetup {
    std::string prefix = WINE_PREFIX;
    // The resolution the prefix sets; the controls are looked for there.
    int dpi = 96;
    // Traces the calls that hold the system keys back onto the program's
    // standard error, for KeyBlockTrace.
    bool trace_key_block = false;
};

// The prefix made for one of Wine's version settings ("win95", "winxp").
WineSetup VersionSetup(const std::string& version);

class WineSession {
public:
    WineSession() = default;
    ~WineSession() { Stop(); }
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Starts Xvfb and the program, and waits until both windows are up;
    // throws when they do not appear.
    void Start(const WineSetup& setup = {});
    // Ends the program, anything else started in the prefix and its
    // wineserver, then the X server.
    void Stop();

    // Starts another Windows program in the same prefix and display.
    std::unique_ptr<e2e::Process> StartOther(const std::string& exe);
    // The traced calls that hold the system keys back or give them back,
    // one per line, as far as the program has made them.
    std::string KeyBlockTrace() const;

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
    WineSetup setup_;
    std::unique_ptr<e2e::XServer> server_;
    std::unique_ptr<e2e::XClient> x_;
    std::unique_ptr<e2e::Process> wine_;
};

// Whether the program ended through exit with status 0. (The driver's
// ExitStatus::Success is hidden by the macro of that name in X.h.)
inline bool EndedWithZero(const e2e::ExitStatus& status) { return status.exited && status.code == 0; }

// A layout colour, 0x00BBGGRR, as it reads back from the screen.
e2e::Rgb ScreenColour(unsigned colour);

// Twips to pixels, by default at the 96 dots per inch Wine reports
// unless told otherwise.
int Pixels(int twips, int dpi = 96);
