// Starting and ending Umbrafold.exe under Wine for one test, and finding
// its controls on the screen.
#include "wine_session.h"

#include <sstream>
#include <stdexcept>

#include "wait.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

// Wine's first windows may take a while on a loaded machine; the prefix
// itself was made before any test ran.
constexpr double kStartTimeout = 30.0;

std::vector<std::pair<std::string, std::string>> WineEnvironment(const std::string& display,
                                                                 const WineSetup& setup) {
    // The prefix's RelayInclude narrows the relay trace to the calls
    // KeyBlockTrace reads.
    return {{"DISPLAY", display},
            {"WINEPREFIX", setup.prefix},
            {"WINEDEBUG", setup.trace_key_block ? "-all,+relay" : "-all"},
            {"WINEDLLOVERRIDES", "mscoree=;mshtml="}};
}

}  // namespace

WineSetup VersionSetup(const std::string& version) {
    WineSetup setup;
    setup.prefix = std::string(WINE_PREFIX) + "-" + version;
    return setup;
}

e2e::Rgb ScreenColour(unsigned colour) {
    return {int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF)};
}

int Pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

void WineSession::Start(const WineSetup& setup) {
    setup_ = setup;
    server_ = std::make_unique<e2e::XServer>();
    x_ = std::make_unique<e2e::XClient>(server_->display());

    e2e::Spawn spawn;
    spawn.argv = {WINE_PATH, UMBRAFOLD_EXE};
    spawn.set_env = WineEnvironment(server_->display(), setup_);
    spawn.capture_output = setup_.trace_key_block;
    wine_ = std::make_unique<e2e::Process>(spawn);

    // Wine names each X window after the program and gives it the window's
    // title: "Form1" for the cover, nothing for the lock window.
    const bool shown = e2e::WaitUntil(
        [&] {
            cover_ = x_->Find("umbrafold.exe", "umbrafold.exe", "Form1");
            dialog_ = x_->Find("umbrafold.exe", "umbrafold.exe", "");
            return cover_ && dialog_;
        },
        kStartTimeout);
    if (!shown) throw std::runtime_error("the cover and the lock window did not both appear");
}

void WineSession::Stop() {
    if (!server_) return;
    if (wine_ && wine_->Running()) wine_->Kill();
    wine_.reset();
    // The next test starts a fresh wineserver on its own display.
    e2e::Spawn stop;
    stop.argv = {WINESERVER_PATH, "-k"};
    stop.set_env = {{"WINEPREFIX", setup_.prefix}};
    stop.capture_output = false;
    e2e::Process(stop).WaitExit(10.0);
    x_.reset();
    server_.reset();
}

std::unique_ptr<e2e::Process> WineSession::StartOther(const std::string& exe) {
    e2e::Spawn spawn;
    spawn.argv = {WINE_PATH, exe};
    spawn.set_env = WineEnvironment(server_->display(), WineSetup{setup_.prefix, setup_.dpi, false});
    spawn.capture_output = false;
    return std::make_unique<e2e::Process>(spawn);
}

std::string WineSession::KeyBlockTrace() const {
    // Relay lines look like
    //   0024:Call user32.SystemParametersInfoA(00000061,ffffffff,0060fdc0,00000000) ret=0040376e
    // and the trace holds those of Wine's own processes too; theirs never
    // name these functions.
    std::istringstream all(wine_ ? wine_->Stderr() : std::string());
    std::string trace, line;
    while (std::getline(all, line)) {
        const auto call = line.find("Call user32.");
        if (call == std::string::npos) continue;
        const std::string what = line.substr(call + 12);
        if (what.rfind("SystemParametersInfoA(00000061,", 0) == 0 || what.rfind("SetWindowsHookExA(", 0) == 0 ||
            what.rfind("UnhookWindowsHookEx(", 0) == 0)
            trace += what.substr(0, what.find(')') + 1) + "\n";
    }
    return trace;
}

e2e::Rect WineSession::DialogRect() const {
    const auto state = x_->State(dialog_);
    return state ? state->rect : e2e::Rect{};
}

e2e::Rect WineSession::ControlRect(int control) const {
    const ui::ControlDesc& desc = kControls[control];
    int left = desc.left, top = desc.top;
    if (desc.parent >= 0) {
        left += kControls[desc.parent].left;
        top += kControls[desc.parent].top;
    }
    const int dpi = setup_.dpi;
    const e2e::Rect dialog = DialogRect();
    // Wine's dialog frame is 3 pixels at any resolution: the layout's frame
    // at 96 dpi.
    const int frame = Pixels(kWindow.frame);
    return {dialog.x + frame + Pixels(left, dpi), dialog.y + frame + Pixels(top, dpi),
            Pixels(desc.width, dpi), Pixels(desc.height, dpi)};
}

void WineSession::ClickControl(int control) {
    // The upper middle: labels that size themselves to their text are
    // never smaller than that, and the title's lower edge is overlapped.
    const e2e::Rect rect = ControlRect(control);
    x_->Click(rect.x + rect.w / 2, rect.y + rect.h / 3);
}

e2e::Rgb WineSession::StatusColour() const {
    e2e::Rect rect = ControlRect(lblLocked);
    return x_->Dominant({rect.x + 2, rect.y + 2, rect.w - 4, rect.h - 4});
}

bool WineSession::WaitForStatus(e2e::Rgb colour) {
    return e2e::WaitUntil([&] { return StatusColour() == colour; });
}

bool WineSession::WaitForHeight(int twips) {
    return e2e::WaitUntil([&] { return DialogRect().h == Pixels(twips, setup_.dpi); });
}

std::optional<e2e::ExitStatus> WineSession::WaitExit() { return wine_->WaitExit(10.0); }
