// Fuzzes the lock window with the lock rules behind it: random keys, clicks
// and window events, each followed by a check of what must always hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fake_ui.h"
#include "windows/frmWindow.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

// Letters in both cases, ones whose small form is not simply the next code
// (final sigma, sharp s), a digit, a space and a sign with no case.
const int kCharacters[] = {'a', 'A', 'b', 'B', 'p', 'P', ' ', '1', 0xE4, 0xC4, 0x3A3, 0x3C3, 0x3C2, 0xDF, 0x130, 0x20AC};

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

SecretText LowerBox() { return ui::lower_case(ui::text(fake::Dialog(), txtPass)); }

// What the test knows independently of the rules: whether a password was
// stored, and which, taken from the box at the moment the lock closed.
struct Oracle {
    bool locked = false;
    SecretText password;
};

void CheckInvariants(const Oracle& oracle, LockController& rules) {
    const fake::ControlState& box = fake::Control(txtPass);
    const fake::ControlState& status = fake::Control(lblLocked);
    Require(box.text.size() <= 16, "the box holds more than 16 characters");
    Require(rules.blnLocked == oracle.locked, "the lock opened or closed on its own");
    Require(fake::KeyBlockOn(), "keyboard and pointer released while running");
    if (oracle.locked) {
        const bool match = LowerBox() == oracle.password;
        Require(fake::Control(cmdExit).enabled == match, "Exit enabled while the text does not match, or not when it does");
        Require(!fake::Control(cmdLock).enabled, "Lock enabled while locked");
        if (match)
            Require(status.caption == kMatchCaption && status.back == kMatchColour, "matching text without green status");
        else
            Require(status.caption == kMismatchCaption && status.back == kMismatchColour, "wrong text without red status");
    } else {
        Require(status.caption == "No Password Stored" && status.back == kNoPasswordColour,
                "status changed before a password was stored");
        Require(fake::Control(cmdExit).enabled, "Exit disabled before a password was stored");
        Require(fake::Control(cmdLock).enabled == !box.text.empty(), "Lock enabled without text, or disabled with it");
    }
}

// Each input starts from the state the program starts in. The window is
// one object for the life of the process, so it is brought back through
// its own handlers where it can be, and the rules' state is cleared.
void StartFresh(frmWindow& window, ui::FormEvents& events) {
    if (fake::OuterHeight() == kExpandedHeight) events.on_click(lblUmbrafold);
    window.Controller().blnLocked = false;
    window.Controller().strPassword.wipe();
    fake::Reset();
    events.on_load();
    fake::DeliverPendingAccessKey();
    Require(fake::Focus() == txtPass, "the box does not have the focus after loading");
}

void Apply(ui::FormEvents& events, std::uint8_t op, std::uint8_t arg) {
    switch (op % 9) {
    case 0:
    case 1: fake::TypeCharacter(kCharacters[arg % 16]); break;
    case 2: fake::TypeCharacter(8); break;
    case 3: fake::TypeCharacter(13); break;
    case 4: fake::EditKey(arg % 5); break;
    case 5: fake::Click(arg % kCount); break;
    case 6: fake::AccessKey("LXPA"[arg % 4]); break;
    case 7:
        if (arg & 2)
            fake::Space();
        else
            fake::Tab(arg & 1);
        break;
    default:
        if (arg & 1)
            events.on_change(txtPass);  // a change reported twice
        else
            events.on_close_request();
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    frmWindow& window = frmWindow::Instance();
    ui::FormEvents& events = window;
    StartFresh(window, events);
    Oracle oracle;
    bool locked_before = false;
    bool matched_before = false;
    try {
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            locked_before = oracle.locked;
            const SecretText box_before = LowerBox();
            matched_before = box_before == oracle.password;
            Apply(events, data[i], data[i + 1]);
            if (!locked_before && window.Controller().blnLocked) {
                oracle.locked = true;
                oracle.password = box_before;
                Require(window.Controller().strPassword == box_before, "the stored password is not the box's text");
                Require(!box_before.empty(), "an empty password was stored");
            }
            CheckInvariants(oracle, window.Controller());
        }
    } catch (const fake::ProgramEnded& ended) {
        Require(ended.status == 0, "the program ended with a failure status");
        Require(!locked_before || matched_before, "the program ended while locked without the password");
        Require(!fake::KeyBlockOn(), "the program ended still holding keyboard and pointer");
    }
    return 0;
}
