// Holding the keyboard and the pointer for the life of the lock.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

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

// With this option the server ends every grab on a key combination, so no
// lock could hold. The options are the fifth of the rule names.
bool keymap_breaks_grabs(const xcb_get_property_reply_t* rules) {
    if (!rules) return false;
    const char* p = static_cast<const char*>(xcb_get_property_value(rules));
    const char* end = p + xcb_get_property_value_length(rules);
    for (int field = 0; p < end; ++field) {
        const std::size_t length = strnlen(p, static_cast<std::size_t>(end - p));
        if (field == 4 && std::string_view(p, length).find("grab:break_actions") != std::string_view::npos)
            return true;
        p += length + 1;
    }
    return false;
}

template <typename Reply>
struct Owned {
    Reply* reply;
    ~Owned() { std::free(reply); }
};

// The first try at both grabs goes out with the question whether the
// keyboard map lets them hold, all in one round trip. Should the map break
// grabs, the program ends before anything is shown, and the grabs with it.
void first_grabs(bool* keyboard, bool* pointer) {
    xcb_connection_t* c = XGetXCBConnection(g_x.display);
    const auto root = static_cast<xcb_window_t>(g_x.root);
    const auto names_atom = static_cast<xcb_atom_t>(g_x.atoms.xkb_rules_names);
    const auto rules = xcb_get_property(c, 0, root, names_atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    const auto keyboard_grab = xcb_grab_keyboard(c, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                                                 XCB_GRAB_MODE_ASYNC);
    const auto pointer_grab = xcb_grab_pointer(c, 1, root, kPointerEvents, XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
    const Owned<xcb_get_property_reply_t> names{xcb_get_property_reply(c, rules, nullptr)};
    const Owned<xcb_grab_keyboard_reply_t> k{xcb_grab_keyboard_reply(c, keyboard_grab, nullptr)};
    const Owned<xcb_grab_pointer_reply_t> p{xcb_grab_pointer_reply(c, pointer_grab, nullptr)};
    if (keymap_breaks_grabs(names.reply))
        posix::fatal("cannot lock", "the keyboard map has a key that breaks any grab (grab:break_actions)");
    *keyboard = k.reply && k.reply->status == XCB_GRAB_STATUS_SUCCESS;
    *pointer = p.reply && p.reply->status == XCB_GRAB_STATUS_SUCCESS;
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
    bool keyboard = false, pointer = false;
    first_grabs(&keyboard, &pointer);
    if (!keyboard && !grab_within(grab_keyboard)) posix::fatal("cannot grab the keyboard", "another program holds it");
    if (!pointer && !grab_within(grab_pointer)) posix::fatal("cannot grab the pointer", "another program holds it");
    g_on = true;
    // Held: the lock may show now (never a lock it cannot hold), and what
    // only the dialog needs comes after it.
    map_shown_windows();
    watch_screen_changes();
}

}  // namespace ui
