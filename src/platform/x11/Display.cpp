// Opening the display, error handlers, dots per inch and monitors.
#include "platform/x11/Display.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xresource.h>
#include <xcb/randr.h>
#include <xcb/xcb.h>

#include "platform/x11/EventSource.h"
#include "platform/posix/Fatal.h"

namespace x11 {

Connection g_x;

namespace {

// Xlib's default handler exits on any protocol error, and for a locker an
// exit is an unlock: log and carry on instead.
int log_x_error(Display* display, XErrorEvent* error) {
    char text[160];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "umbrafold: X error: %s (request %d.%d)\n", text, error->request_code,
                 error->minor_code);
    return 0;
}

int lost_connection(Display*) { posix::fatal("lost the connection to the X server", nullptr); }

double read_dpi(Display* display) {
    double dpi = dialog::kDefaultDpi;
    XrmInitialize();
    const char* resources = XResourceManagerString(display);
    if (!resources) return dpi;
    XrmDatabase db = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        const double parsed = std::atof(value.addr);
        if (parsed >= 24 && parsed <= 960) dpi = parsed;
    }
    XrmDestroyDatabase(db);
    return dpi;
}

// Under XWayland the compositor keeps its own shortcuts whatever an X client
// grabs, so a lock there would be a lock in appearance only.
bool under_wayland(const xcb_query_extension_reply_t* xwayland) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (wayland && *wayland) || (xwayland && xwayland->present);
}

}  // namespace

void open_connection() {
    // The core keyboard map, for which the server sends MappingNotify on
    // every change: the events come through XCB (EventSource.cpp), where
    // Xlib's own XKB bookkeeping would never see its notices.
    XkbIgnoreExtension(True);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = std::getenv("DISPLAY");
        posix::fatal("cannot open display", name && *name ? "no X server answers there" : "DISPLAY is not set");
    }
    g_x.display = display;
    take_event_queue();
    XSetErrorHandler(log_x_error);
    XSetIOErrorHandler(lost_connection);

    // The extension and every atom in one round trip.
    xcb_connection_t* c = XGetXCBConnection(display);
    const char* names[] = {"WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_ICON", "_NET_WM_WINDOW_OPACITY",
                           "_NET_WM_BYPASS_COMPOSITOR", "_XKB_RULES_NAMES", "_NET_WM_WINDOW_TYPE",
                           "_NET_WM_WINDOW_TYPE_DOCK"};
    constexpr std::size_t kAtoms = sizeof names / sizeof *names;
    const char kXWayland[] = "XWAYLAND";
    const xcb_query_extension_cookie_t xwayland = xcb_query_extension(c, sizeof kXWayland - 1, kXWayland);
    xcb_intern_atom_cookie_t cookies[kAtoms];
    for (std::size_t i = 0; i < kAtoms; ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    xcb_query_extension_reply_t* extension = xcb_query_extension_reply(c, xwayland, nullptr);
    const bool wayland = under_wayland(extension);
    std::free(extension);
    Atom atoms[kAtoms];
    for (std::size_t i = 0; i < kAtoms; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookies[i], nullptr);
        atoms[i] = reply ? reply->atom : None;
        std::free(reply);
    }
    if (wayland) posix::fatal("cannot lock a Wayland session", "its compositor does not honour X grabs");
    g_x.atoms = {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6], atoms[7]};

    g_x.screen = DefaultScreen(display);
    g_x.root = RootWindow(display, g_x.screen);
    g_x.visual = DefaultVisual(display, g_x.screen);
    g_x.colormap = DefaultColormap(display, g_x.screen);
    g_x.depth = DefaultDepth(display, g_x.screen);
    g_x.dpi = read_dpi(display);

    // Foreign windows coming up or moving above ours, and the root changing
    // size, are all reported on the root.
    XSelectInput(display, g_x.root, SubstructureNotifyMask | StructureNotifyMask | FocusChangeMask);
}

void watch_screen_changes() {
    xcb_connection_t* c = XGetXCBConnection(g_x.display);
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (!randr || !randr->present) return;
    // Monitors came with RandR 1.5, which the server offers a client that
    // has asked for it.
    std::free(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
    g_x.randr_event_base = randr->first_event;
    xcb_randr_select_input(c, static_cast<xcb_window_t>(g_x.root), XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE);
}

Rect root_rect() {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(g_x.display, g_x.root, &attributes))
        return {0, 0, attributes.width, attributes.height};
    return {0, 0, DisplayWidth(g_x.display, g_x.screen), DisplayHeight(g_x.display, g_x.screen)};
}

Rect primary_monitor() {
    xcb_randr_get_monitors_reply_t* monitors = nullptr;
    if (g_x.randr_event_base >= 0) {
        xcb_connection_t* c = XGetXCBConnection(g_x.display);
        monitors = xcb_randr_get_monitors_reply(
            c, xcb_randr_get_monitors(c, static_cast<xcb_window_t>(g_x.root), 1), nullptr);
    }
    const xcb_randr_monitor_info_t* primary = nullptr;
    const xcb_randr_monitor_info_t* at_origin = nullptr;
    if (monitors) {
        for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors); it.rem && !primary;
             xcb_randr_monitor_info_next(&it)) {
            const xcb_randr_monitor_info_t* m = it.data;
            if (m->primary) primary = m;
            if (!at_origin && Rect{m->x, m->y, m->width, m->height}.contains(0, 0)) at_origin = m;
        }
    }
    const xcb_randr_monitor_info_t* chosen = primary ? primary : at_origin;
    // The root's size costs a round trip; ask only when no monitor will do.
    const Rect found = chosen ? Rect{chosen->x, chosen->y, chosen->width, chosen->height} : root_rect();
    std::free(monitors);
    return found;
}

}  // namespace x11
