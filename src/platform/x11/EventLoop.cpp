// One thread, one loop: X events, the queued access key and signals.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <xcb/randr.h>

#include "platform/posix/Fatal.h"
#include "platform/posix/Signals.h"
#include "platform/x11/Display.h"
#include "platform/x11/EventSource.h"
#include "platform/x11/Input.h"
#include "platform/x11/KeyBlock.h"
#include "platform/x11/Window.h"
#include "platform/x11/Compositor.h"

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

bool is_ours(::Window xwindow) { return find_window(xwindow) != nullptr; }

// Structure events of our own windows, as reported to the window itself
// (the root reports the same ones again; those are for foreign windows).
ui::Window* own_event(::Window event_window, ::Window window) {
    if (event_window != window) return nullptr;
    ui::Window* w = find_window(window);
    return w && w->xwindow == window ? w : nullptr;
}

void on_configure(const XConfigureEvent& event) {
    if (event.window == g_x.root) {
        fit_to_screen();
    } else if (event.event == g_x.root) {
        if (!is_ours(event.window)) raise_all();
    } else if (ui::Window* w = own_event(event.event, event.window)) {
        restore(w, {event.x, event.y, event.width, event.height}, true);
        keep_on_top();
    }
}

// Nobody gets to make ours see-through by changing what they tell the
// compositor.
void on_property(const XPropertyEvent& event) {
    if (is_ours(event.window)) keep_compositor_hint(event.window, event.atom);
}

void dispatch(XEvent& event) {
    switch (event.type) {
    case KeyPress: handle_key(event.xkey); break;
    case ButtonPress:
    case ButtonRelease: handle_button(event.xbutton); break;
    case Expose:
        if (ui::Window* w = find_window(event.xexpose.window); w && w->form) w->form->invalidate();
        break;
    case MappingNotify: XRefreshKeyboardMapping(&event.xmapping); break;
    case ClientMessage:
        if (event.xclient.message_type == g_x.atoms.wm_protocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == g_x.atoms.wm_delete_window) {
            if (ui::Window* w = find_window(event.xclient.window)) w->events->on_close_request();
        }
        break;
    // Another client's top-level window appeared or moved in the stack:
    // put ours back on top of it.
    case MapNotify:
        if (!is_ours(event.xmap.window)) raise_all();
        break;
    case CirculateNotify:
        if (!is_ours(event.xcirculate.window)) raise_all();
        break;
    case ConfigureNotify: on_configure(event.xconfigure); break;
    // Any client may unmap, move or destroy another's windows; ours come back.
    case UnmapNotify:
        if (ui::Window* w = own_event(event.xunmap.event, event.xunmap.window); w && w->mapped)
            restore(w, w->outer, false);
        break;
    case DestroyNotify:
        if (ui::Window* w = own_event(event.xdestroywindow.event, event.xdestroywindow.window)) recreate(w);
        break;
    case PropertyNotify: on_property(event.xproperty); break;
    case FocusOut:
        if (event.xfocus.window == g_x.root && event.xfocus.mode == NotifyUngrab) reassert_grabs();
        break;
    default:
        if (g_x.randr_event_base >= 0 && event.type == g_x.randr_event_base + XCB_RANDR_SCREEN_CHANGE_NOTIFY) {
            fit_to_screen();
        }
        break;
    }
}


}  // namespace
}  // namespace x11

namespace ui {

using namespace x11;

void serve_events(Window* window) {
    pollfd fds[2] = {{ConnectionNumber(g_x.display), POLLIN, 0}, {posix::signal_fd(), POLLIN, 0}};
    bool pointers_set = false;
    long last_paint = 0;
    XEvent event;
    for (;;) {
        while (next_queued_event(&event)) dispatch(event);
        // The keystroke the window asked for on load, once it is up.
        window->form->serve_queued_access_key();
        posix::serve_signals(*window->events);
        // While input keeps arriving, serve it before drawing, drawing at
        // most once a frame: painting after every few keys would leave the
        // program behind a flood of them.
        const long now = monotonic_ms();
        const bool more = read_event(&event);
        if (more) dispatch(event);
        if (more && now - last_paint < kFrameMs) continue;
        last_paint = now;
        paint_dirty();
        XFlush(g_x.display);
        if (!pointers_set && !window->form->dirty()) {
            pointers_set = true;
            for (ui::Window* w : all_windows()) set_pointers(w);
        }
        if (more) continue;
        // Caught up, so a round trip brings in little.
        settle_requests();
        if (read_event(&event)) {
            dispatch(event);
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
    if (g_x.display) XCloseDisplay(g_x.display);
    _exit(status);
}

}  // namespace ui
