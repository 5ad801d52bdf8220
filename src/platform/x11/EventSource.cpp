// Events as XCB reads them: one buffer when its queue is empty, each event
// freed as soon as it is served.
#include "platform/x11/EventSource.h"

#include <cstdio>

#include "platform/posix/Fatal.h"
#include "platform/x11/Display.h"

namespace x11 {
namespace {

// A protocol error is no reason to end: for a locker an exit is an unlock.
Event unless_error(xcb_generic_event_t* raw) {
    if (raw && raw->response_type == 0) {
        const auto* error = reinterpret_cast<const xcb_generic_error_t*>(raw);
        std::fprintf(stderr, "umbrafold: X error %d (request %d.%d)\n", error->error_code, error->major_code,
                     error->minor_code);
        std::free(raw);
        return nullptr;
    }
    return Event(raw);
}

}  // namespace

Event next_queued_event() {
    while (xcb_generic_event_t* raw = xcb_poll_for_queued_event(g_x.c))
        if (Event event = unless_error(raw)) return event;
    return nullptr;
}

Event read_event() {
    if (xcb_generic_event_t* raw = xcb_poll_for_event(g_x.c)) {
        if (Event event = unless_error(raw)) return event;
        return next_queued_event();
    }
    if (xcb_connection_has_error(g_x.c)) posix::fatal("lost the connection to the X server", nullptr);
    return nullptr;
}

}  // namespace x11
