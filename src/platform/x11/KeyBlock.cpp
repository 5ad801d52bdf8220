// Holding the keyboard and the pointer for the life of the lock.
#include <ctime>

#include <X11/Xlib.h>

#include "platform/posix/Fatal.h"
#include "platform/ui.h"
#include "platform/x11/Display.h"
#include "platform/x11/KeyBlock.h"
#include "platform/x11/Window.h"

namespace x11 {
namespace {

constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
constexpr int kGrabAttempts = 200;
bool g_on = false;

int grab_keyboard() {
    return XGrabKeyboard(g_x.display, g_x.root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
}

// The pointer reports to our own windows as usual (owner events), so
// clicks reach the dialog's controls and nothing else.
int grab_pointer() {
    return XGrabPointer(g_x.display, g_x.root, True, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
                        None, CurrentTime);
}
constexpr long kGrabPauseNs = 5'000'000;  // 200 tries 5 ms apart: one second

// Another client may hold a grab for a moment (a menu, a key binding being
// released); wait for it, but not for ever.
template <typename TryGrab>
bool grab_within(TryGrab try_grab) {
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        if (try_grab() == GrabSuccess) return true;
        const timespec pause{0, kGrabPauseNs};
        nanosleep(&pause, nullptr);
    }
    return false;
}

}  // namespace

bool grabs_held() { return g_on; }

void reassert_grabs() {
    if (!g_on) return;
    grab_keyboard();
    grab_pointer();
}

}  // namespace x11

namespace ui {

using namespace x11;

// Both grabs are made on the root: a grab on one of our own windows would
// end the moment another client unmapped that window.
void set_system_key_block(bool on) {
    if (!on) {
        g_on = false;
        XUngrabPointer(g_x.display, CurrentTime);
        XUngrabKeyboard(g_x.display, CurrentTime);
        XSync(g_x.display, False);
        return;
    }
    // Every key comes to us, and we route it to the focused control.
    if (!grab_within(grab_keyboard)) posix::fatal("cannot grab the keyboard", "another program holds it");
    if (!grab_within(grab_pointer)) posix::fatal("cannot grab the pointer", "another program holds it");
    g_on = true;
    // Held: the lock may show now (never a lock it cannot hold), and what
    // only the dialog needs comes after it.
    map_shown_windows();
    watch_screen_changes();
}

}  // namespace ui
