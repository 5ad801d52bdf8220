// Where the event loop gets its events: read from the connection a buffer
// at a time, so a flood of input waits in the server, not in our memory.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

// Hands the connection's event queue to XCB; call right after the display
// is opened, before any event can arrive.
void take_event_queue();

// The next event already read from the connection, if any.
bool next_queued_event(XEvent* event);

// Reads one buffer from the connection and gives its first event, if any.
// Ends the program when the server is gone.
bool read_event(XEvent* event);

// Once the program has caught up with its input: lets Xlib forget the
// requests it has sent since the last time (it keeps a note of each one
// while XCB owns the events, until a reply comes back).
void settle_requests();

}  // namespace x11
