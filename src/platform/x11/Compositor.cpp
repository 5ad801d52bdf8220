// Compositor hints on our windows, and keeping them there.
//
// Compositors such as picom make windows they consider unfocused
// translucent or dim them (inactive-opacity, inactive-dim). Our windows
// never hold the input focus, so they would show the desktop through them.
// Two hints prevent that: the dock type, which compositors count among the
// windows that are always focused, and an opacity property held at opaque,
// which outranks any default opacity, including the one for the focused
// window should another client move the input focus onto ours.
#include "platform/x11/Compositor.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <utility>

#include "platform/x11/Display.h"
#include "platform/x11/Window.h"

namespace x11 {
namespace {

struct Hint {
    xcb_atom_t property;
    xcb_atom_t type;
    std::uint32_t value;
};

constexpr std::uint32_t kOpaque = 0xFFFFFFFF;

// Built on first use, once the atoms are interned.
const std::array<Hint, 3>& hints() {
    static const std::array<Hint, 3> all = {{
        {g_x.atoms.net_wm_window_type, XCB_ATOM_ATOM, g_x.atoms.net_wm_window_type_dock},
        {g_x.atoms.net_wm_window_opacity, XCB_ATOM_CARDINAL, kOpaque},
        // Asks a compositor to leave the window alone rather than paint
        // it through its own buffers, where it honours that.
        {g_x.atoms.net_wm_bypass_compositor, XCB_ATOM_CARDINAL, 1},
    }};
    return all;
}

// The server reports our own writes back to us as well. Counting the
// reports still due tells them from another client's without asking the
// server for the value, a round trip per report. Another client's change
// reported while one of ours is due passes for ours; ours then comes
// unexpected and the hint is written again, so the last write is ours.
std::map<std::pair<xcb_window_t, xcb_atom_t>, int> g_reports_due;

void write_hint(xcb_window_t xwindow, const Hint& hint) {
    xcb_change_property(g_x.c, XCB_PROP_MODE_REPLACE, xwindow, hint.property, hint.type, 32, 1, &hint.value);
    ++g_reports_due[{xwindow, hint.property}];
}

// A window another client destroyed reports nothing more.
void forget_gone_windows() {
    for (auto it = g_reports_due.begin(); it != g_reports_due.end();)
        it = find_window(it->first.first) ? std::next(it) : g_reports_due.erase(it);
}

}  // namespace

void set_compositor_hints(xcb_window_t xwindow) {
    forget_gone_windows();
    for (const Hint& hint : hints()) write_hint(xwindow, hint);
}

void keep_compositor_hint(xcb_window_t xwindow, xcb_atom_t property) {
    for (const Hint& hint : hints()) {
        if (hint.property != property) continue;
        const auto due = g_reports_due.find({xwindow, property});
        if (due == g_reports_due.end()) {
            write_hint(xwindow, hint);
        } else if (--due->second == 0) {
            g_reports_due.erase(due);
        }
        return;
    }
}

}  // namespace x11
