// The compositor's events and key repeat as the host's loop gets them
// (host/Backend.h).
#include <cerrno>
#include <poll.h>

#include "platform/host/Backend.h"
#include "platform/wayland/Connection.h"
#include "platform/wayland/Seat.h"

namespace host {

using namespace wl;

int event_fds(pollfd* fds, int room) {
    if (room < 2) return 0;
    fds[0] = {wl_display_get_fd(g_wl.display), POLLIN, 0};
    fds[1] = {key_repeat_fd(), POLLIN, 0};
    return 2;
}

void dispatch_queued() { wl::dispatch_pending(); }

bool read_events() {
    bool came = false;
    while (wl_display_prepare_read(g_wl.display) != 0) {
        wl::dispatch_pending();
        came = true;
    }
    pollfd fds[2];
    event_fds(fds, 2);
    if (poll(fds, 2, 0) > 0 && (fds[0].revents & (POLLIN | POLLERR | POLLHUP))) {
        if (wl_display_read_events(g_wl.display) < 0) connection_lost();
        wl::dispatch_pending();
        came = true;
    } else {
        wl_display_cancel_read(g_wl.display);
    }
    if (fds[1].revents & POLLIN) {
        serve_key_repeat();
        came = true;
    }
    return came;
}

// A compositor slow to read makes us wait for it rather than drop requests.
void flush() {
    while (wl_display_flush(g_wl.display) < 0) {
        if (errno != EAGAIN) connection_lost();
        pollfd out{wl_display_get_fd(g_wl.display), POLLOUT, 0};
        poll(&out, 1, -1);
    }
}

int idle_ms() { return -1; }
void idle() {}

// Ends without unlocking: only the unload path unlocks, so a program ended
// any other way leaves the session locked, and the compositor keeps it so.
void disconnect() {}

}  // namespace host
