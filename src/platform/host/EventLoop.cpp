// One thread, one loop, for every self-drawn backend: the backend's events
// first, the queued access key and signals, then at most one paint a frame.
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <time.h>

#include "platform/host/Backend.h"
#include "platform/host/Paint.h"
#include "platform/host/Window.h"
#include "platform/posix/Fatal.h"
#include "platform/posix/Signals.h"

namespace host {
namespace {

constexpr long kFrameMs = 16;
constexpr int kMostFds = 4;

long monotonic_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1'000'000L;
}

}  // namespace
}  // namespace host

namespace ui {

using namespace host;

void serve_events(Window* window) {
    pollfd fds[kMostFds];
    int count = event_fds(fds, kMostFds - 1);
    fds[count++] = {posix::signal_fd(), POLLIN, 0};
    long last_paint = 0;
    for (;;) {
        dispatch_queued();
        // The keystroke the window asked for on load, once it is up.
        window->form->serve_queued_access_key();
        posix::serve_signals(*window->events);
        // While input keeps arriving, serve it before drawing, drawing at
        // most once a frame: painting after every few keys would leave the
        // program behind a flood of them.
        const long now = monotonic_ms();
        const bool more = read_events();
        if (more && now - last_paint < kFrameMs) continue;
        last_paint = now;
        const bool painted = paint_due();
        flush();
        // What only matters once the dialog is seen comes after its frame.
        if (painted) {
            frames_sent();
            flush();
        }
        if (more || read_events()) continue;
        const int ready = poll(fds, static_cast<nfds_t>(count), idle_ms());
        if (ready < 0 && errno != EINTR) posix::fatal("cannot wait for events", std::strerror(errno));
        if (ready == 0) idle();
    }
}

}  // namespace ui
