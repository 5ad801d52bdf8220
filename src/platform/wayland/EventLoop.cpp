// One thread, one loop: the compositor's events, key repeat, the queued
// access key and signals.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>

#include "platform/posix/Fatal.h"
#include "platform/posix/Signals.h"
#include "platform/wayland/Connection.h"
#include "platform/wayland/Seat.h"
#include "platform/wayland/Window.h"

namespace wl {
namespace {

// Sends what is queued; a compositor slow to read makes us wait for it
// rather than drop requests.
void flush() {
    while (wl_display_flush(g_wl.display) < 0) {
        if (errno != EAGAIN) connection_lost();
        pollfd out{wl_display_get_fd(g_wl.display), POLLOUT, 0};
        poll(&out, 1, -1);
    }
}

}  // namespace
}  // namespace wl

namespace ui {

using namespace wl;

void serve_events(Window* window) {
    enum { kCompositor, kSignals, kRepeat };
    pollfd fds[3] = {{wl_display_get_fd(g_wl.display), POLLIN, 0},
                     {posix::signal_fd(), POLLIN, 0},
                     {key_repeat_fd(), POLLIN, 0}};
    for (;;) {
        // Everything already read is served, and the dialog drawn once,
        // before the program waits again.
        while (wl_display_prepare_read(g_wl.display) != 0) dispatch_pending();
        window->form->serve_queued_access_key();
        paint_dirty();
        flush();
        const int ready = poll(fds, 3, -1);
        if (ready < 0 && errno != EINTR) {
            wl_display_cancel_read(g_wl.display);
            posix::fatal("cannot wait for events", std::strerror(errno));
        }
        if (ready > 0 && (fds[kCompositor].revents & (POLLIN | POLLERR | POLLHUP))) {
            if (wl_display_read_events(g_wl.display) < 0) connection_lost();
        } else {
            wl_display_cancel_read(g_wl.display);
        }
        dispatch_pending();
        if (fds[kRepeat].revents & POLLIN) serve_key_repeat();
        if (fds[kSignals].revents & POLLIN) posix::serve_signals(*window->events);
    }
}

// Ends the program without unlocking: only the unload path unlocks, so a
// program ended any other way leaves the session locked, and the
// compositor keeps it so.
void end_program(int status) {
    wipe_all_text();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(status);
}

}  // namespace ui
