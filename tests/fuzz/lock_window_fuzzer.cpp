// Fuzzes the lock window with the lock rules and the real dialog engine
// behind it: random keys, clicks, drags and window events, each followed
// by a check of what must always hold.
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
const char32_t kCharacters[] = {'a', 'A', 'b', 'B', 'p', 'P', ' ', '1', 0xE4, 0xC4, 0x3A3, 0x3C3, 0x3C2, 0xDF, 0x130, 0x20AC};

// Keysyms, as xkbcommon and X11 number them.
constexpr std::uint32_t kBackSpace = 0xff08, kTab = 0xff09, kReturn = 0xff0d, kEscape = 0xff1b;
constexpr std::uint32_t kEditKeys[] = {0xff51 /* Left */, 0xff53 /* Right */, 0xff50 /* Home */,
                                       0xff57 /* End */, 0xffff /* Delete */, 0xff96 /* KP_Left */};

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

dialog::Form& Form() { return *fake::Dialog(); }
const dialog::Control& Control(int index) { return Form().controls()[index]; }

SecretText LowerBox() { return ui::lower_case(Form().text(txtPass)); }

void Key(std::uint32_t keysym, char32_t code_point, unsigned modifiers = 0) {
    dialog::Key key;
    key.keysym = keysym;
    key.code_point = code_point;
    key.modifiers = modifiers;
    Form().key(key);
}

// A printable character's keysym: Latin-1 is itself, the rest Unicode's.
void Type(char32_t c) { Key(c < 0x100 ? c : 0x01000000 | c, c); }

// The middle of a control, in window pixels.
void Centre(int control, int* x, int* y) {
    const dialog::Rect& r = Control(control).rect;
    *x = r.x + r.w / 2;
    *y = r.y + r.h / 2;
}

// Press over one control, release over another (the same one: a click).
void Drag(int from, int to) {
    int x = 0, y = 0;
    Centre(from, &x, &y);
    Form().press(x, y);
    Centre(to, &x, &y);
    Form().release(x, y);
}

// What the test knows independently of the rules: whether a password was
// stored, and which, taken from the box at the moment the lock closed.
struct Oracle {
    bool locked = false;
    SecretText password;
};

void CheckInvariants(const Oracle& oracle, LockController& rules) {
    const dialog::Control& status = Control(lblLocked);
    Require(Control(txtPass).box.length() <= 16, "the box holds more than 16 characters");
    Require(rules.blnLocked == oracle.locked, "the lock opened or closed on its own");
    Require(fake::KeyBlockOn(), "keyboard and pointer released while running");
    if (oracle.locked) {
        const bool match = LowerBox() == oracle.password;
        Require(Control(cmdExit).enabled == match, "Exit enabled while the text does not match, or not when it does");
        Require(!Control(cmdLock).enabled, "Lock enabled while locked");
        if (match)
            Require(status.caption == kMatchCaption && status.back == kMatchColour, "matching text without green status");
        else
            Require(status.caption == kMismatchCaption && status.back == kMismatchColour, "wrong text without red status");
    } else {
        Require(status.caption == "No Password Stored" && status.back == kNoPasswordColour,
                "status changed before a password was stored");
        Require(Control(cmdExit).enabled, "Exit disabled before a password was stored");
        Require(Control(cmdLock).enabled == (Control(txtPass).box.length() > 0),
                "Lock enabled without text, or disabled with it");
    }
    const int focus = Form().focus();
    Require(focus < 0 || Control(focus).enabled, "a disabled control holds the focus");
}

// Each input starts from the state the program starts in: the window's
// engine made afresh, its own handlers brought back where they can be, the
// rules' state cleared, then the window loaded and shown as at start.
void StartFresh(frmWindow& window) {
    window.Controller().blnLocked = false;
    window.Controller().strPassword.wipe();
    fake::Reset();
    try {
        window.Show();
    } catch (const fake::ProgramEnded&) {
        // The fake ends the modal loop at once; the driver serves events.
    }
    Form().serve_queued_access_key();
    Require(Form().focus() == txtPass, "the box does not have the focus after loading");
}

void Apply(ui::FormEvents& events, std::uint8_t op, std::uint8_t arg) {
    switch (op % 12) {
    case 0:
    case 1: Type(kCharacters[arg % 16]); break;
    case 2: Key(kBackSpace, 8); break;
    case 3: Key(kReturn, 13); break;
    case 4: Key(kEditKeys[arg % 6], 0); break;
    case 5: Drag(arg % kCount, arg % kCount); break;
    case 6: Drag(arg % kCount, (arg / kCount) % kCount); break;
    case 7: {
        const char letter = "lxpaLXPA"[arg % 8];
        Key(static_cast<std::uint32_t>(letter), static_cast<char32_t>(letter), dialog::kAlt);
        break;
    }
    case 8:
        if (arg & 2)
            Key(' ', ' ');
        else
            Key(kTab, 9, (arg & 1) ? dialog::kShift : 0);
        break;
    case 9:
        // Keys that must do nothing: Escape, Ctrl+letter.
        if (arg & 1)
            Key(kEscape, 27);
        else
            Key('a', 'a', dialog::kControl);
        break;
    case 10: fake::Paint(); break;
    default:
        switch (arg % 3) {
        case 0: events.on_change(txtPass); break;  // a change reported twice
        case 1: events.on_close_request(); break;
        default: events.on_end_request(ui::EndRequest::Interrupt, 130); break;
        }
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    frmWindow& window = frmWindow::Instance();
    ui::FormEvents& events = window;
    StartFresh(window);
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
        // Exit, an accepted close request, or an interrupt before locking.
        Require(ended.status == 0 || (ended.status == 130 && !locked_before), "the program ended with a failure status");
        Require(!locked_before || matched_before, "the program ended while locked without the password");
        Require(!fake::KeyBlockOn(), "the program ended still holding keyboard and pointer");
    }
    return 0;
}
