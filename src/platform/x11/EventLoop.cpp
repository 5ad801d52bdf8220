// One thread, one loop: X events, the queued access key and signals.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <xcb/randr.h>

#include "platform/posix/Fatal.h"
#include "platform/posix/Signals.h"
#include "platform/x11/Compositor.h"
#include "platform/x11/Display.h"
#include "platform/x11/EventSource.h"
#include "platform/x11/Grabs.h"
#include "platform/x11/Input.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/Window.h"

namespace x11 {
namespace {

// However the grabs were lost, they are taken back after this idle time.
constexpr int kGrabCheckMs = 250;

constexpr long kFrameMs = 16;

long monotonic_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1'000'000L;
}

bool is_ours(xcb_window_t xwindow) { return find_window(xwindow) != nullptr; }

// Structure events of our own windows, as reported to the window itself
// (the root reports the same ones again; those are for foreign windows).
ui::Window* own_event(xcb_window_t event_window, xcb_window_t window) {
    if (event_window != window) return nullptr;
    ui::Window* w = find_window(window);
    return w && w->xwindow == window ? w : nullptr;
}

template <typename XcbEvent>
const XcbEvent& as(const xcb_generic_event_t& event) {
    return reinterpret_cast<const XcbEvent&>(event);
}

void on_configure(const xcb_configure_notify_event_t& event) {
    if (event.window == g_x.root) {
        fit_to_screen();
    } else if (event.event == g_x.root) {
        if (!is_ours(event.window)) raise_all();
    } else if (ui::Window* w = own_event(event.event, event.window)) {
        restore(w, {event.x, event.y, event.width, event.height}, true);
        keep_on_top();
    }
}

void on_client_message(const xcb_client_message_event_t& event) {
    if (event.type == g_x.atoms.wm_protocols && event.data.data32[0] == g_x.atoms.wm_delete_window)
        if (ui::Window* w = find_window(event.window)) w->events->on_close_request();
}

void dispatch(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7F) {
    case XCB_KEY_PRESS: handle_key(as<xcb_key_press_event_t>(event)); break;
    case XCB_BUTTON_PRESS: handle_button(as<xcb_button_press_event_t>(event), true); break;
    case XCB_BUTTON_RELEASE: handle_button(as<xcb_button_release_event_t>(event), false); break;
    case XCB_EXPOSE:
        if (ui::Window* w = find_window(as<xcb_expose_event_t>(event).window); w && w->form) w->form->invalidate();
        break;
    case XCB_MAPPING_NOTIFY: keymap_changed(as<xcb_mapping_notify_event_t>(event)); break;
    case XCB_CLIENT_MESSAGE: on_client_message(as<xcb_client_message_event_t>(event)); break;
    // Another client's top-level window appeared or moved in the stack:
    // put ours back on top of it.
    case XCB_MAP_NOTIFY:
        if (!is_ours(as<xcb_map_notify_event_t>(event).window)) raise_all();
        break;
    case XCB_CIRCULATE_NOTIFY:
        if (!is_ours(as<xcb_circulate_notify_event_t>(event).window)) raise_all();
        break;
    case XCB_CONFIGURE_NOTIFY: on_configure(as<xcb_configure_notify_event_t>(event)); break;
    // Any client may unmap, move or destroy another's windows; ours come back.
    case XCB_UNMAP_NOTIFY: {
        const auto& unmap = as<xcb_unmap_notify_event_t>(event);
        if (ui::Window* w = own_event(unmap.event, unmap.window); w && w->mapped) restore(w, w->outer, false);
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto& destroy = as<xcb_destroy_notify_event_t>(event);
        if (ui::Window* w = own_event(destroy.event, destroy.window)) recreate(w);
        break;
    }
    // Nobody gets to make ours see-through by changing what they tell the
    // compositor.
    case XCB_PROPERTY_NOTIFY: {
        const auto& property = as<xcb_property_notify_event_t>(event);
        if (is_ours(property.window)) keep_compositor_hint(property.window, property.atom);
        break;
    }
    case XCB_FOCUS_OUT: {
        const auto& focus = as<xcb_focus_out_event_t>(event);
        if (focus.event == g_x.root && focus.mode == XCB_NOTIFY_MODE_UNGRAB) reassert_grabs();
        break;
    }
    default:
        if (g_x.randr_event_base >= 0 &&
            (event.response_type & 0x7F) == g_x.randr_event_base + XCB_RANDR_SCREEN_CHANGE_NOTIFY)
            fit_to_screen();
        break;
    }
}

}  // namespace
}  // namespace x11

namespace ui {

using namespace x11;

void serve_events(Window* window) {
    pollfd fds[2] = {{xcb_get_file_descriptor(g_x.c), POLLIN, 0}, {posix::signal_fd(), POLLIN, 0}};
    bool pointers_set = false;
    long last_paint = 0;
    for (;;) {
        while (Event event = next_queued_event()) dispatch(*event);
        // The keystroke the window asked for on load, once it is up.
        window->form->serve_queued_access_key();
        posix::serve_signals(*window->events);
        // While input keeps arriving, serve it before drawing, drawing at
        // most once a frame: painting after every few keys would leave the
        // program behind a flood of them.
        const long now = monotonic_ms();
        const Event more = read_event();
        if (more) dispatch(*more);
        if (more && now - last_paint < kFrameMs) continue;
        last_paint = now;
        paint_dirty();
        xcb_flush(g_x.c);
        if (!pointers_set && !window->form->dirty()) {
            pointers_set = true;
            for (ui::Window* w : all_windows()) set_pointers(w);
            xcb_flush(g_x.c);
        }
        if (more) continue;
        if (Event event = read_event()) {
            dispatch(*event);
            continue;
        }
        const int ready = poll(fds, 2, kGrabCheckMs);
        if (ready < 0 && errno != EINTR) posix::fatal("cannot wait for events", std::strerror(errno));
        // Checked when idle: a check is a round trip, which would pull a
        // whole backlog of input into memory at once; and while keys and
        // clicks keep arriving, the grabs are evidently ours.
        if (ready == 0) reassert_grabs();
    }
}

void end_program(int status) {
    wipe_all_text();
    std::fflush(stdout);
    std::fflush(stderr);
    if (g_x.c) xcb_disconnect(g_x.c);
    _exit(status);
}

}  // namespace ui
