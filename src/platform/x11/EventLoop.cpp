// One thread, one loop: X events, the queued access key and signals.
#include "platform/x11/EventLoop.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/x11/Display.h"
#include "platform/x11/EventSource.h"
#include "platform/x11/Input.h"
#include "platform/x11/KeyBlock.h"
#include "platform/x11/Window.h"

namespace x11 {
namespace {

// However the grabs were lost, they are taken back after this idle time.
constexpr int kGrabCheckMs = 250;

constexpr long kFrameMs = 16;

int g_signal_pipe[2] = {-1, -1};
char g_pending_access_key = 0;

void OnSignal(int signo) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signo);
    if (write(g_signal_pipe[1], &byte, 1) < 0) {
        // The pipe is full of earlier signals; they will be read first.
    }
    errno = saved;
}

// SIGTERM always ends the program, giving keyboard and pointer back; an
// interrupt or hang-up does too until a password is stored, then never.
void ServeSignals() {
    unsigned char signo = 0;
    while (read(g_signal_pipe[0], &signo, 1) == 1) {
        ui::Window* dialog = DialogWindow();
        const bool locked = dialog && dialog->events->holds_lock();
        if (signo == SIGTERM || !locked) {
            ui::set_system_key_block(false);
            ui::end_program(128 + signo);
        }
    }
}

long MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1'000'000L;
}

bool IsOurs(::Window xwindow) { return FindWindow(xwindow) != nullptr; }

// Structure events of our own windows, as reported to the window itself
// (the root reports the same ones again; those are for foreign windows).
ui::Window* OwnEvent(::Window event_window, ::Window window) {
    if (event_window != window) return nullptr;
    ui::Window* w = FindWindow(window);
    return w && w->xwindow == window ? w : nullptr;
}

void OnConfigure(const XConfigureEvent& event) {
    if (event.window == g_x.root) {
        FitToScreen();
    } else if (event.event == g_x.root) {
        if (!IsOurs(event.window)) RaiseAll();
    } else if (ui::Window* w = OwnEvent(event.event, event.window)) {
        Restore(w, {event.x, event.y, event.width, event.height}, true);
        KeepOnTop();
    }
}

// A compositor would blend a window with an opacity property into what
// lies beneath it; nobody gets to make ours see-through.
void OnProperty(const XPropertyEvent& event) {
    if (!IsOurs(event.window)) return;
    if (event.atom == g_x.atoms.net_wm_window_opacity && event.state == PropertyNewValue)
        XDeleteProperty(g_x.display, event.window, event.atom);
}

void Dispatch(XEvent& event) {
    switch (event.type) {
    case KeyPress: HandleKey(event.xkey); break;
    case ButtonPress:
    case ButtonRelease: HandleButton(event.xbutton); break;
    case Expose:
        if (ui::Window* w = FindWindow(event.xexpose.window)) Invalidate(w);
        break;
    case MappingNotify: XRefreshKeyboardMapping(&event.xmapping); break;
    case ClientMessage:
        if (event.xclient.message_type == g_x.atoms.wm_protocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == g_x.atoms.wm_delete_window) {
            if (ui::Window* w = FindWindow(event.xclient.window)) w->events->on_close_request();
        }
        break;
    // Another client's top-level window appeared or moved in the stack:
    // put ours back on top of it.
    case MapNotify:
        if (!IsOurs(event.xmap.window)) RaiseAll();
        break;
    case CirculateNotify:
        if (!IsOurs(event.xcirculate.window)) RaiseAll();
        break;
    case ConfigureNotify: OnConfigure(event.xconfigure); break;
    // Any client may unmap, move or destroy another's windows; ours come back.
    case UnmapNotify:
        if (ui::Window* w = OwnEvent(event.xunmap.event, event.xunmap.window); w && w->mapped)
            Restore(w, w->outer, false);
        break;
    case DestroyNotify:
        if (ui::Window* w = OwnEvent(event.xdestroywindow.event, event.xdestroywindow.window)) Recreate(w);
        break;
    case PropertyNotify: OnProperty(event.xproperty); break;
    case FocusOut:
        if (event.xfocus.window == g_x.root && event.xfocus.mode == NotifyUngrab) ReassertGrabs();
        break;
    default:
        if (g_x.randr_event_base >= 0 && event.type == g_x.randr_event_base + RRScreenChangeNotify) {
            FitToScreen();
        }
        break;
    }
}

void PaintDirty() {
    for (ui::Window* w : AllWindows())
        if (w->dirty) Paint(w);
}

}  // namespace

void InstallSignalHandlers() {
    if (pipe(g_signal_pipe) != 0) {
        std::perror("umbrafold: pipe");
        _exit(1);
    }
    for (int fd : g_signal_pipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signo : {SIGTERM, SIGINT, SIGHUP}) sigaction(signo, &action, nullptr);
    // A closed terminal, a stray Ctrl+\ or Ctrl+Z, a broken pipe: none may
    // end or stop a lock.
    for (int signo : {SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE}) std::signal(signo, SIG_IGN);
}

}  // namespace x11

namespace ui {

using namespace x11;

void send_access_key(Window*, char key) { g_pending_access_key = key; }

void show_modal(Window* window) {
    window->events->on_load();
    window->mapped = true;
    XMapRaised(g_x.display, window->xwindow);
    XFlush(g_x.display);

    pollfd fds[2] = {{ConnectionNumber(g_x.display), POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}};
    bool pointers_set = false;
    long last_paint = 0;
    XEvent event;
    for (;;) {
        while (NextQueuedEvent(&event)) Dispatch(event);
        // The keystroke the window asked for on load, once it is up.
        if (g_pending_access_key) {
            const char key = g_pending_access_key;
            g_pending_access_key = 0;
            HandleAccessKey(window, key);
        }
        ServeSignals();
        // While input keeps arriving, serve it before drawing, drawing at
        // most once a frame: painting after every few keys would leave the
        // program behind a flood of them.
        const long now = MonotonicMs();
        const bool more = ReadEvent(&event);
        if (more) Dispatch(event);
        if (more && now - last_paint < kFrameMs) continue;
        last_paint = now;
        PaintDirty();
        XFlush(g_x.display);
        if (!pointers_set && !window->dirty) {
            pointers_set = true;
            for (ui::Window* w : AllWindows()) SetPointers(w);
        }
        if (more) continue;
        // Caught up, so a round trip brings in little.
        SettleRequests();
        if (ReadEvent(&event)) {
            Dispatch(event);
            continue;
        }
        const int ready = poll(fds, 2, kGrabCheckMs);
        if (ready < 0 && errno != EINTR) Fail("cannot wait for events", 1);
        // Checked when idle: a check is a round trip, which would pull a
        // whole backlog of input into memory at once; and while keys and
        // clicks keep arriving, the grabs are evidently ours.
        if (ready == 0) ReassertGrabs();
    }
}

void end_program(int status) {
    WipeAllText();
    std::fflush(stdout);
    std::fflush(stderr);
    if (g_x.display) XCloseDisplay(g_x.display);
    _exit(status);
}

}  // namespace ui
