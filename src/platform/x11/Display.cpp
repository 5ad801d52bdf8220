// Opening the display, dots per inch, the pixel format and monitors.
#include "platform/x11/Display.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include <xcb/randr.h>

#include "platform/posix/Fatal.h"
#include "platform/x11/Reply.h"
#include "platform/x11/XftDpi.h"

namespace x11 {

Connection g_x;

namespace {

// Under XWayland the compositor keeps its own shortcuts whatever an X client
// grabs, so a lock there would be a lock in appearance only. (A session
// that names its compositor in WAYLAND_DISPLAY never gets here: main hands
// it over to the Wayland program.)
bool under_wayland(const xcb_query_extension_reply_t* xwayland) { return xwayland && xwayland->present; }

// The atoms the backend uses, each interned into its member of Atoms.
struct AtomName {
    const char* name;
    xcb_atom_t Atoms::*member;
};
constexpr AtomName kAtomNames[] = {
    {"WM_PROTOCOLS", &Atoms::wm_protocols},
    {"WM_DELETE_WINDOW", &Atoms::wm_delete_window},
    {"_NET_WM_ICON", &Atoms::net_wm_icon},
    {"_NET_WM_WINDOW_OPACITY", &Atoms::net_wm_window_opacity},
    {"_NET_WM_BYPASS_COMPOSITOR", &Atoms::net_wm_bypass_compositor},
    {"_XKB_RULES_NAMES", &Atoms::xkb_rules_names},
    {"_NET_WM_WINDOW_TYPE", &Atoms::net_wm_window_type},
    {"_NET_WM_WINDOW_TYPE_DOCK", &Atoms::net_wm_window_type_dock},
};
constexpr std::size_t kAtoms = sizeof kAtomNames / sizeof *kAtomNames;

const xcb_screen_t* screen_number(const xcb_setup_t* setup, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    for (int i = 0; it.rem && i < number; ++i) xcb_screen_next(&it);
    return it.rem ? it.data : nullptr;
}

// The dialog is painted in memory as 8-bit red, green and blue and handed
// over as an image: the screen must take colours as such (true or direct
// colour), 16 or 32 bits a pixel.
bool read_pixel_format(const xcb_setup_t* setup, const xcb_screen_t* screen, PixelFormat* format) {
    const xcb_visualtype_t* visual = nullptr;
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem && !visual;
         xcb_depth_next(&depths)) {
        if (depths.data->depth != screen->root_depth) continue;
        for (auto v = xcb_depth_visuals_iterator(depths.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen->root_visual) visual = v.data;
    }
    if (!visual || (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR && visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR))
        return false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == screen->root_depth) format->bits_per_pixel = f.data->bits_per_pixel;
    format->most_significant_first = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    format->red_mask = visual->red_mask;
    format->green_mask = visual->green_mask;
    format->blue_mask = visual->blue_mask;
    return format->bits_per_pixel == 32 || format->bits_per_pixel == 16;
}

}  // namespace

void open_connection() {
    int number = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &number);
    if (xcb_connection_has_error(c)) {
        const char* name = std::getenv("DISPLAY");
        posix::fatal("cannot open display", name && *name ? "no X server answers there" : "DISPLAY is not set");
    }
    g_x.c = c;
    const xcb_setup_t* setup = xcb_get_setup(c);
    g_x.screen = screen_number(setup, number);
    if (!g_x.screen) posix::fatal("cannot open display", "it has no such screen");
    g_x.root = g_x.screen->root;

    // The extension, the resources and every atom in one round trip.
    const char kXWayland[] = "XWAYLAND";
    const auto xwayland = xcb_query_extension(c, sizeof kXWayland - 1, kXWayland);
    // The resource database, which xrdb and the desktop keep on the root.
    const auto resources = xcb_get_property(c, 0, g_x.root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0,
                                            kMaxResourceBytes / 4);
    xcb_intern_atom_cookie_t cookies[kAtoms];
    for (std::size_t i = 0; i < kAtoms; ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(kAtomNames[i].name)),
                                     kAtomNames[i].name);
    const Reply<xcb_query_extension_reply_t> extension{xcb_query_extension_reply(c, xwayland, nullptr)};
    const Reply<xcb_get_property_reply_t> database{xcb_get_property_reply(c, resources, nullptr)};
    for (std::size_t i = 0; i < kAtoms; ++i) {
        const Reply<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(c, cookies[i], nullptr)};
        g_x.atoms.*kAtomNames[i].member = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    if (xcb_connection_has_error(c)) posix::fatal("lost the connection to the X server", nullptr);
    if (under_wayland(extension.get())) posix::fatal("cannot lock a Wayland session", "its compositor does not honour X grabs");
    if (!read_pixel_format(setup, g_x.screen, &g_x.format))
        posix::fatal("cannot draw the dialog", "the screen's visual is not true colour of 16 or 32 bits a pixel");
    g_x.dpi = dialog::kDefaultDpi;
    if (database) {
        const std::string_view text(static_cast<const char*>(xcb_get_property_value(database.get())),
                                    static_cast<std::size_t>(xcb_get_property_value_length(database.get())));
        g_x.dpi = xft_dpi(text, dialog::kDefaultDpi);
    }

    // Foreign windows coming up or moving above ours, and the root changing
    // size, are all reported on the root.
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                 XCB_EVENT_MASK_FOCUS_CHANGE;
    xcb_change_window_attributes(c, g_x.root, XCB_CW_EVENT_MASK, &events);
}

void watch_screen_changes() {
    xcb_connection_t* c = g_x.c;
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (!randr || !randr->present) return;
    // Monitors came with RandR 1.5, which the server offers a client that
    // has asked for it.
    std::free(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
    g_x.randr_event_base = randr->first_event;
    xcb_randr_select_input(c, g_x.root, XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE);
}

Rect root_rect() {
    const Reply<xcb_get_geometry_reply_t> geometry{
        xcb_get_geometry_reply(g_x.c, xcb_get_geometry(g_x.c, g_x.root), nullptr)};
    if (geometry) return {0, 0, geometry->width, geometry->height};
    return {0, 0, g_x.screen->width_in_pixels, g_x.screen->height_in_pixels};
}

Rect primary_monitor() {
    xcb_randr_get_monitors_reply_t* monitors = nullptr;
    if (g_x.randr_event_base >= 0)
        monitors = xcb_randr_get_monitors_reply(g_x.c, xcb_randr_get_monitors(g_x.c, g_x.root, 1), nullptr);
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
