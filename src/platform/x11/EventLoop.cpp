// X events as the host's loop gets them (host/Backend.h): one dispatch
// table by event type, reading a buffer at a time, and the idle grab check.
#include <xcb/randr.h>

#include "platform/host/Backend.h"
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

bool is_ours(xcb_window_t xwindow) { return find_window(xwindow) != nullptr; }

// Structure events of our own windows, as reported to the window itself
// (the root reports the same ones again; those are for foreign windows).
ui::Window* own_event(xcb_window_t event_window, xcb_window_t window) {
    if (event_window != window) return nullptr;
    ui::Window* w = find_window(window);
    return w && native(w).xwindow == window ? w : nullptr;
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
        if (ui::Window* w = own_event(unmap.event, unmap.window); w && w->shown) restore(w, native(w).outer, false);
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

namespace host {

using namespace x11;

int event_fds(pollfd* fds, int room) {
    if (room < 1) return 0;
    fds[0] = {xcb_get_file_descriptor(g_x.c), POLLIN, 0};
    return 1;
}

void dispatch_queued() {
    while (Event event = next_queued_event()) dispatch(*event);
}

bool read_events() {
    const Event event = read_event();
    if (event) dispatch(*event);
    return event != nullptr;
}

void flush() { xcb_flush(g_x.c); }

int idle_ms() { return kGrabCheckMs; }

// Checked when idle: a check is a round trip, which would pull a whole
// backlog of input into memory at once; and while keys and clicks keep
// arriving, the grabs are evidently ours.
void idle() { reassert_grabs(); }

void disconnect() {
    if (g_x.c) xcb_disconnect(g_x.c);
}

}  // namespace host
