// Holding the keyboard and the pointer for the life of the lock.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

#include <xcb/xcb.h>

#include "platform/posix/Fatal.h"
#include "platform/ui.h"
#include "platform/x11/Display.h"
#include "platform/x11/Grabs.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/Reply.h"
#include "platform/x11/Window.h"

namespace x11 {
namespace {

constexpr std::uint16_t kPointerEvents =
    XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;
constexpr int kGrabAttempts = 200;
constexpr long kGrabPauseNs = 5'000'000;  // 200 tries 5 ms apart: one second
bool g_on = false;

xcb_grab_keyboard_cookie_t ask_keyboard() {
    return xcb_grab_keyboard(g_x.c, 0, g_x.root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
}

// The pointer reports to our own windows as usual (owner events), so
// clicks reach the dialog's controls and nothing else.
xcb_grab_pointer_cookie_t ask_pointer() {
    return xcb_grab_pointer(g_x.c, 1, g_x.root, kPointerEvents, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                            XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
}

bool grab_keyboard() {
    const Reply<xcb_grab_keyboard_reply_t> reply{xcb_grab_keyboard_reply(g_x.c, ask_keyboard(), nullptr)};
    return reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
}

bool grab_pointer() {
    const Reply<xcb_grab_pointer_reply_t> reply{xcb_grab_pointer_reply(g_x.c, ask_pointer(), nullptr)};
    return reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
}

// Another client may hold a grab for a moment (a menu, a key binding being
// released); wait for it, but not for ever.
template <typename TryGrab>
bool grab_within(TryGrab try_grab) {
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        if (try_grab()) return true;
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

// The first try at both grabs goes out with the question whether the
// keyboard map lets them hold, all in one round trip. Should the map break
// grabs, the program ends before anything is shown, and the grabs with it.
void first_grabs(bool* keyboard, bool* pointer) {
    xcb_connection_t* c = g_x.c;
    const auto rules =
        xcb_get_property(c, 0, g_x.root, g_x.atoms.xkb_rules_names, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    const auto keyboard_grab = ask_keyboard();
    const auto pointer_grab = ask_pointer();
    const Reply<xcb_get_property_reply_t> names{xcb_get_property_reply(c, rules, nullptr)};
    const Reply<xcb_grab_keyboard_reply_t> k{xcb_grab_keyboard_reply(c, keyboard_grab, nullptr)};
    const Reply<xcb_grab_pointer_reply_t> p{xcb_grab_pointer_reply(c, pointer_grab, nullptr)};
    if (keymap_breaks_grabs(names.get()))
        posix::fatal("cannot lock", "the keyboard map has a key that breaks any grab (grab:break_actions)");
    *keyboard = k && k->status == XCB_GRAB_STATUS_SUCCESS;
    *pointer = p && p->status == XCB_GRAB_STATUS_SUCCESS;
}

}  // namespace

bool grabs_held() { return g_on; }

void reassert_grabs() {
    if (!g_on) return;
    // Both questions in one round trip.
    const auto keyboard = ask_keyboard();
    const auto pointer = ask_pointer();
    std::free(xcb_grab_keyboard_reply(g_x.c, keyboard, nullptr));
    std::free(xcb_grab_pointer_reply(g_x.c, pointer, nullptr));
}

}  // namespace x11

namespace ui {

using namespace x11;

// Both grabs are made on the root: a grab on one of our own windows would
// end the moment another client unmapped that window.
void set_system_key_block(bool on) {
    if (!on) {
        g_on = false;
        xcb_ungrab_pointer(g_x.c, XCB_CURRENT_TIME);
        xcb_ungrab_keyboard(g_x.c, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(g_x.c, xcb_get_input_focus(g_x.c), nullptr));
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
    request_keymap();
}

}  // namespace ui
