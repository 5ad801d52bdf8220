// Where the event loop gets its events: read from the connection a buffer
// at a time, so a flood of input waits in the server, not in our memory.
#pragma once

#include <xcb/xcb.h>

#include "platform/x11/Reply.h"

namespace x11 {

using Event = Reply<xcb_generic_event_t>;

// The next event already read from the connection, if any. Errors the
// server reports are logged on the way and the program carries on.
Event next_queued_event();

// Reads one buffer from the connection and gives its first event, if any.
// Ends the program when the server is gone.
Event read_event();

}  // namespace x11
