// One thread, one loop: X events, the queued access key and signals.
#include "platform/x11/EventLoop.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/x11/Display.h"
#include "platform/x11/Input.h"
#include "platform/x11/Window.h"

namespace x11 {
namespace {

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

bool IsOurs(::Window xwindow) { return FindWindow(xwindow) != nullptr; }

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
    case ConfigureNotify:
        if (event.xconfigure.window == g_x.root)
            FitToScreen();
        else if (event.xconfigure.event == g_x.root && !IsOurs(event.xconfigure.window))
            RaiseAll();
        break;
    case CirculateNotify:
        if (!IsOurs(event.xcirculate.window)) RaiseAll();
        break;
    default:
        if (g_x.randr_event_base >= 0 && event.type == g_x.randr_event_base + RRScreenChangeNotify) {
            XRRUpdateConfiguration(&event);
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
    XSelectInput(g_x.display, g_x.root, SubstructureNotifyMask | StructureNotifyMask);
    if (g_x.randr_event_base >= 0) XRRSelectInput(g_x.display, g_x.root, RRScreenChangeNotifyMask);
    XMapRaised(g_x.display, window->xwindow);
    XFlush(g_x.display);

    pollfd fds[2] = {{ConnectionNumber(g_x.display), POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}};
    for (;;) {
        while (XPending(g_x.display)) {
            XEvent event;
            XNextEvent(g_x.display, &event);
            Dispatch(event);
        }
        // The keystroke the window asked for on load, once it is up.
        if (g_pending_access_key) {
            const char key = g_pending_access_key;
            g_pending_access_key = 0;
            HandleAccessKey(window, key);
        }
        ServeSignals();
        PaintDirty();
        XFlush(g_x.display);
        if (XPending(g_x.display)) continue;
        if (poll(fds, 2, -1) < 0 && errno != EINTR) Fail("cannot wait for events", 1);
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
