// Holding the keyboard and the pointer for the life of the lock.
#include <ctime>

#include <X11/Xlib.h>

#include "platform/ui.h"
#include "platform/x11/Display.h"

namespace x11 {
namespace {

constexpr int kGrabAttempts = 200;
constexpr long kGrabPauseNs = 5'000'000;  // 200 tries 5 ms apart: one second

// Another client may hold a grab for a moment (a menu, a key binding being
// released); wait for it, but not for ever.
template <typename TryGrab>
bool GrabWithin(TryGrab try_grab) {
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        if (try_grab() == GrabSuccess) return true;
        const timespec pause{0, kGrabPauseNs};
        nanosleep(&pause, nullptr);
    }
    return false;
}

}  // namespace
}  // namespace x11

namespace ui {

using namespace x11;

// Both grabs are made on the root: a grab on one of our own windows would
// end the moment another client unmapped that window.
void set_system_key_block(bool on) {
    Display* d = g_x.display;
    if (!on) {
        XUngrabPointer(d, CurrentTime);
        XUngrabKeyboard(d, CurrentTime);
        XSync(d, False);
        return;
    }
    // Every key comes to us, and we route it to the focused control; the
    // pointer reports to our own windows as usual, so clicks reach the
    // dialog's controls and nothing else.
    const bool keyboard = GrabWithin(
        [&] { return XGrabKeyboard(d, g_x.root, False, GrabModeAsync, GrabModeAsync, CurrentTime); });
    if (!keyboard) Fail("cannot grab the keyboard: another program holds it", 1);
    const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    const bool pointer = GrabWithin([&] {
        return XGrabPointer(d, g_x.root, True, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    });
    if (!pointer) Fail("cannot grab the pointer: another program holds it", 1);
}

}  // namespace ui
