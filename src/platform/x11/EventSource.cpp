// Events through XCB, copied into the Xlib structures the loop serves.
//
// Xlib reads everything the server has written whenever it looks for
// events or flushes, and keeps every queue node it ever allocated: under a
// flood of typed keys that is megabytes held for good. XCB reads one buffer
// when its queue is empty, and each event is freed as soon as it is served.
#include "platform/x11/EventSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include <X11/Xlib-xcb.h>
#include <xcb/randr.h>
#include <xcb/xcb.h>

#include "platform/posix/Fatal.h"
#include "platform/x11/Display.h"

namespace x11 {
namespace {

xcb_connection_t* g_xcb = nullptr;
unsigned long g_settled_request = 0;

template <typename XcbEvent>
const XcbEvent& as(const xcb_generic_event_t* raw) {
    return *reinterpret_cast<const XcbEvent*>(raw);
}

template <typename XcbInput, typename XInput>
void copy_input(const xcb_generic_event_t* raw, XInput* out) {
    const auto& in = as<XcbInput>(raw);
    out->window = in.event;
    out->root = in.root;
    out->subwindow = in.child;
    out->time = in.time;
    out->x = in.event_x;
    out->y = in.event_y;
    out->x_root = in.root_x;
    out->y_root = in.root_y;
    out->state = in.state;
    out->same_screen = in.same_screen;
}

// Only the events the loop serves; false for the rest.
bool translate(const xcb_generic_event_t* raw, XEvent* event) {
    const int type = raw->response_type & 0x7F;
    std::memset(event, 0, sizeof *event);
    event->type = type;
    event->xany.display = g_x.display;
    event->xany.send_event = (raw->response_type & 0x80) != 0;
    switch (type) {
    case KeyPress:
        copy_input<xcb_key_press_event_t>(raw, &event->xkey);
        event->xkey.keycode = as<xcb_key_press_event_t>(raw).detail;
        return true;
    case ButtonPress:
    case ButtonRelease:
        copy_input<xcb_button_press_event_t>(raw, &event->xbutton);
        event->xbutton.button = as<xcb_button_press_event_t>(raw).detail;
        return true;
    case Expose: event->xexpose.window = as<xcb_expose_event_t>(raw).window; return true;
    case MappingNotify: {
        const auto& in = as<xcb_mapping_notify_event_t>(raw);
        event->xmapping.request = in.request;
        event->xmapping.first_keycode = in.first_keycode;
        event->xmapping.count = in.count;
        return true;
    }
    case ClientMessage: {
        const auto& in = as<xcb_client_message_event_t>(raw);
        event->xclient.window = in.window;
        event->xclient.message_type = in.type;
        event->xclient.format = in.format;
        for (int i = 0; i < 5; ++i) event->xclient.data.l[i] = in.data.data32[i];
        return true;
    }
    case MapNotify:
        event->xmap.event = as<xcb_map_notify_event_t>(raw).event;
        event->xmap.window = as<xcb_map_notify_event_t>(raw).window;
        return true;
    case CirculateNotify:
        event->xcirculate.event = as<xcb_circulate_notify_event_t>(raw).event;
        event->xcirculate.window = as<xcb_circulate_notify_event_t>(raw).window;
        return true;
    case ConfigureNotify: {
        const auto& in = as<xcb_configure_notify_event_t>(raw);
        event->xconfigure.event = in.event;
        event->xconfigure.window = in.window;
        event->xconfigure.x = in.x;
        event->xconfigure.y = in.y;
        event->xconfigure.width = in.width;
        event->xconfigure.height = in.height;
        return true;
    }
    case UnmapNotify:
        event->xunmap.event = as<xcb_unmap_notify_event_t>(raw).event;
        event->xunmap.window = as<xcb_unmap_notify_event_t>(raw).window;
        return true;
    case DestroyNotify:
        event->xdestroywindow.event = as<xcb_destroy_notify_event_t>(raw).event;
        event->xdestroywindow.window = as<xcb_destroy_notify_event_t>(raw).window;
        return true;
    case PropertyNotify: {
        const auto& in = as<xcb_property_notify_event_t>(raw);
        event->xproperty.window = in.window;
        event->xproperty.atom = in.atom;
        event->xproperty.state = in.state;
        return true;
    }
    case FocusOut:
        event->xfocus.window = as<xcb_focus_out_event_t>(raw).event;
        event->xfocus.mode = as<xcb_focus_out_event_t>(raw).mode;
        return true;
    default:
        // The screen changed size; the loop asks the server for the rest.
        return g_x.randr_event_base >= 0 && type == g_x.randr_event_base + XCB_RANDR_SCREEN_CHANGE_NOTIFY;
    }
}

bool serve(xcb_generic_event_t* raw, XEvent* event) {
    bool served = false;
    if (raw->response_type == 0) {
        // Errors of requests without replies come here, not to Xlib's
        // handler: logged, and the program carries on.
        const auto* error = reinterpret_cast<const xcb_generic_error_t*>(raw);
        std::fprintf(stderr, "umbrafold: X error %d (request %d.%d)\n", error->error_code,
                     error->major_code, error->minor_code);
    } else {
        served = translate(raw, event);
    }
    std::free(raw);
    return served;
}

}  // namespace

void take_event_queue() {
    g_xcb = XGetXCBConnection(g_x.display);
    XSetEventQueueOwner(g_x.display, XCBOwnsEventQueue);
}

bool next_queued_event(XEvent* event) {
    while (xcb_generic_event_t* raw = xcb_poll_for_queued_event(g_xcb))
        if (serve(raw, event)) return true;
    return false;
}

bool read_event(XEvent* event) {
    if (xcb_generic_event_t* raw = xcb_poll_for_event(g_xcb))
        return serve(raw, event) || next_queued_event(event);
    if (xcb_connection_has_error(g_xcb)) posix::fatal("lost the connection to the X server", nullptr);
    return false;
}

void settle_requests() {
    const unsigned long sent = NextRequest(g_x.display) - 1;
    if (sent == g_settled_request) return;
    XSync(g_x.display, False);
    g_settled_request = NextRequest(g_x.display) - 1;
}

}  // namespace x11
