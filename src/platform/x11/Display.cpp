// Opening the display, error handlers, dots per inch and monitors.
#include "platform/x11/Display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unistd.h>

#include <X11/XKBlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

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
bool under_wayland(Display* display) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland) return true;
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(display, "XWAYLAND", &opcode, &event, &error);
}

// With this option the server ends every grab on a key combination, so no
// lock could hold. The options are the fifth of the rule names.
bool keymap_breaks_grabs(Display* display) {
    const Atom names = g_x.atoms.xkb_rules_names;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), names, 0, 1024, False, AnyPropertyType,
                           &type, &format, &count, &after, &data) != Success || !data)
        return false;
    bool breaks = false;
    const char* p = reinterpret_cast<const char*>(data);
    const char* end = p + count;
    for (int field = 0; p < end; ++field) {
        const std::size_t length = strnlen(p, static_cast<std::size_t>(end - p));
        if (field == 4 && std::string_view(p, length).find("grab:break_actions") != std::string_view::npos)
            breaks = true;
        p += length + 1;
    }
    XFree(data);
    return breaks;
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
    if (under_wayland(display))
        posix::fatal("cannot lock a Wayland session", "its compositor does not honour X grabs");

    g_x.screen = DefaultScreen(display);
    g_x.root = RootWindow(display, g_x.screen);
    g_x.visual = DefaultVisual(display, g_x.screen);
    g_x.colormap = DefaultColormap(display, g_x.screen);
    g_x.depth = DefaultDepth(display, g_x.screen);
    g_x.dpi = read_dpi(display);

    // All in one round trip.
    const char* names[] = {"WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_ICON", "_NET_WM_WINDOW_OPACITY",
                           "_NET_WM_BYPASS_COMPOSITOR", "_XKB_RULES_NAMES", "_NET_WM_WINDOW_TYPE",
                           "_NET_WM_WINDOW_TYPE_DOCK"};
    Atom atoms[8];
    XInternAtoms(display, const_cast<char**>(names), 8, False, atoms);
    g_x.atoms = {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6], atoms[7]};

    if (keymap_breaks_grabs(display))
        posix::fatal("cannot lock", "the keyboard map has a key that breaks any grab (grab:break_actions)");

    // Foreign windows coming up or moving above ours, and the root changing
    // size, are all reported on the root.
    XSelectInput(display, g_x.root, SubstructureNotifyMask | StructureNotifyMask | FocusChangeMask);
}

void watch_screen_changes() {
    int event_base = 0, error_base = 0;
    if (!XRRQueryExtension(g_x.display, &event_base, &error_base)) return;
    g_x.randr_event_base = event_base;
    XRRSelectInput(g_x.display, g_x.root, RRScreenChangeNotifyMask);
}

Rect root_rect() {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(g_x.display, g_x.root, &attributes))
        return {0, 0, attributes.width, attributes.height};
    return {0, 0, DisplayWidth(g_x.display, g_x.screen), DisplayHeight(g_x.display, g_x.screen)};
}

Rect primary_monitor() {
    int count = 0;
    XRRMonitorInfo* monitors =
        g_x.randr_event_base >= 0 ? XRRGetMonitors(g_x.display, g_x.root, True, &count) : nullptr;
    const XRRMonitorInfo* primary = nullptr;
    const XRRMonitorInfo* at_origin = nullptr;
    for (int i = 0; i < count && !primary; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        if (m.primary) primary = &m;
        if (!at_origin && Rect{m.x, m.y, m.width, m.height}.contains(0, 0)) at_origin = &m;
    }
    const XRRMonitorInfo* chosen = primary ? primary : at_origin;
    // The root's size costs a round trip; ask only when no monitor will do.
    const Rect found = chosen ? Rect{chosen->x, chosen->y, chosen->width, chosen->height} : root_rect();
    if (monitors) XRRFreeMonitors(monitors);
    return found;
}

}  // namespace x11
