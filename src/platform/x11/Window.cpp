// The program's windows on X11: making their native side, keeping it in
// place, and what the host asks of it (host/Backend.h).
#include "platform/x11/Window.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/canvas/Canvas.h"
#include "platform/dialog/Palette.h"
#include "platform/host/Backend.h"
#include "platform/x11/Compositor.h"
#include "platform/x11/Grabs.h"
#include "platform/x11/Icon.h"
#include "platform/x11/Modules.h"

namespace x11 {
namespace {

using host::windows;

void set_identity(xcb_window_t xwindow, const char* title) {
    static const char kClass[] = "umbrafold\0Umbrafold";
    xcb_change_property(g_x.c, XCB_PROP_MODE_REPLACE, xwindow, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        sizeof kClass, kClass);
    xcb_change_property(g_x.c, XCB_PROP_MODE_REPLACE, xwindow, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(std::strlen(title)), title);
    set_compositor_hints(xwindow);
}

void move_resize(xcb_window_t xwindow, const Rect& r) {
    const std::uint32_t values[] = {static_cast<std::uint32_t>(r.x), static_cast<std::uint32_t>(r.y),
                                    static_cast<std::uint32_t>(std::max(r.w, 1)),
                                    static_cast<std::uint32_t>(std::max(r.h, 1))};
    xcb_configure_window(g_x.c, xwindow,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
}

void raise(xcb_window_t xwindow) {
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(g_x.c, xwindow, XCB_CONFIG_WINDOW_STACK_MODE, &above);
}

xcb_window_t make_x_window(const Rect& r, std::uint32_t background, std::uint32_t events) {
    const xcb_window_t xwindow = xcb_generate_id(g_x.c);
    // What is drawn stays put when the dialog grows at its bottom edge, so
    // folding the About panel out shows no unpainted frame.
    const std::uint32_t values[] = {background, XCB_GRAVITY_NORTH_WEST, 1, events};
    xcb_create_window(g_x.c, XCB_COPY_FROM_PARENT, xwindow, g_x.root, static_cast<std::int16_t>(r.x),
                      static_cast<std::int16_t>(r.y), static_cast<std::uint16_t>(r.w), static_cast<std::uint16_t>(r.h),
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, g_x.screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_BIT_GRAVITY | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    return xwindow;
}

// The help pointer's area, from the title label as the engine has laid it
// out: its designed box at first, the box of its text once it is fitted.
Rect help_rect_of(const ui::Window* w) {
    const Rect fitted = w->form->help_area();
    if (fitted.w > 0) return fitted;
    for (const dialog::Control& c : w->form->controls())
        if (c.desc->flags & ui::kHelpCursor) return c.rect;
    return {};
}

// The native side of a window: made at start, and again from the kept
// state should another client destroy it.
void make_native(ui::Window* w) {
    host::Native& n = native(w);
    // Property changes: to see another client set an opacity on us.
    const std::uint32_t common = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    const std::uint32_t buttons = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
    if (w->is_cover()) {
        n.xwindow = make_x_window(n.outer, g_x.screen->black_pixel, common | XCB_EVENT_MASK_BUTTON_PRESS);
        set_identity(n.xwindow, w->desc->title);
        return;
    }
    n.xwindow = make_x_window(n.outer, ImageSurface::pixel(canvas::pixel_of(dialog::kFace)),
                              common | XCB_EVENT_MASK_EXPOSURE | buttons);
    set_identity(n.xwindow, w->desc->title);
    xcb_change_property(g_x.c, XCB_PROP_MODE_REPLACE, n.xwindow, g_x.atoms.wm_protocols, XCB_ATOM_ATOM, 32, 1,
                        &g_x.atoms.wm_delete_window);
    set_window_icon(n.xwindow);
    n.help_rect = help_rect_of(w);
    if (n.help_rect.w <= 0) return;
    n.help_area = xcb_generate_id(g_x.c);
    const Rect& h = n.help_rect;
    xcb_create_window(g_x.c, 0, n.help_area, n.xwindow, static_cast<std::int16_t>(h.x),
                      static_cast<std::int16_t>(h.y), static_cast<std::uint16_t>(std::max(h.w, 1)),
                      static_cast<std::uint16_t>(std::max(h.h, 1)), 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &buttons);
    xcb_map_window(g_x.c, n.help_area);
}

Rect centred_on_primary(int width, int height) {
    const Rect monitor = primary_monitor();
    return {monitor.x + (monitor.w - width) / 2, monitor.y + (monitor.h - height) / 2, width, height};
}

// The pointer shapes come through the cursor theme: more work than the
// whole lock, for something nobody looks at before the dialog is drawn.
// Until then the pointer keeps the root's shape.
void set_pointers(ui::Window* w) {
    static const xcb_cursor_t arrow = load_pointer("left_ptr");
    xcb_change_window_attributes(g_x.c, native(w).xwindow, XCB_CW_CURSOR, &arrow);
    if (!native(w).help_area) return;
    static const xcb_cursor_t help = load_pointer("question_arrow");
    xcb_change_window_attributes(g_x.c, native(w).help_area, XCB_CW_CURSOR, &help);
}

}  // namespace

ui::Window* find_window(xcb_window_t xwindow) {
    for (ui::Window* w : windows())
        if (native(w).xwindow == xwindow || (native(w).help_area && native(w).help_area == xwindow)) return w;
    return nullptr;
}

void raise_all() {
    for (ui::Window* w : windows()) raise(native(w).xwindow);
}

void keep_on_top() {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(g_x.c, xcb_query_tree(g_x.c, g_x.root), nullptr);
    if (!tree) return;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const auto count = static_cast<std::size_t>(xcb_query_tree_children_length(tree));
    // Children come bottom to top: ours must be the last ones, in our order.
    const std::vector<ui::Window*>& ours = windows();
    bool on_top = count >= ours.size();
    for (std::size_t i = 0; on_top && i < ours.size(); ++i)
        on_top = children[count - ours.size() + i] == native(ours[i]).xwindow;
    std::free(tree);
    if (!on_top) raise_all();
}

void fit_to_screen() {
    for (ui::Window* w : windows()) {
        host::Native& n = native(w);
        n.outer = w->is_cover() ? root_rect() : centred_on_primary(n.outer.w, n.outer.h);
        move_resize(n.xwindow, n.outer);
    }
}

void recreate(ui::Window* w) {
    host::Native& n = native(w);
    n.xwindow = 0;
    n.help_area = 0;
    make_native(w);
    set_pointers(w);
    xcb_map_window(g_x.c, n.xwindow);
    raise_all();
    if (w->form) w->form->invalidate();
}

void restore(ui::Window* w, const Rect& now, bool mapped) {
    const host::Native& n = native(w);
    if (!mapped) {
        xcb_map_window(g_x.c, n.xwindow);
        raise_all();
    }
    if (now != n.outer) move_resize(n.xwindow, n.outer);
}

void map_now(ui::Window* w) {
    host::Native& n = native(w);
    if (!n.xwindow) {
        n.outer = centred_on_primary(w->form->width(), w->form->height());
        make_native(w);
    }
    raise(n.xwindow);
    xcb_map_window(g_x.c, n.xwindow);
    xcb_flush(g_x.c);
}

void map_shown_windows() {
    for (ui::Window* w : windows())
        if (w->shown) map_now(w);
}

}  // namespace x11

namespace host {

using namespace x11;

double dialog_dpi() { return g_x.dpi; }

// The cover is made at once, the size of the root as the server gave it on
// connecting; the dialog's native window, its monitor and its icon wait
// until it is shown, after the lock.
void window_made(ui::Window* w) {
    w->native = new Native;
    if (!w->is_cover()) return;
    w->native->outer = {0, 0, g_x.screen->width_in_pixels, g_x.screen->height_in_pixels};
    make_native(w);
}

canvas::Canvas begin_frame(ui::Window* w, int width, int height) {
    Native& n = native(w);
    if (!n.xwindow) return {};
    return n.image.fit(n.xwindow, width, height);
}

void present(ui::Window* w, const Rect& area) { native(w).image.present(area); }

void resize(ui::Window* w, int width, int height) {
    Native& n = native(w);
    n.outer.w = width;
    n.outer.h = height;
    const std::uint32_t size[] = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    xcb_configure_window(g_x.c, n.xwindow, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
}

// The first paint fits the title to its text; the help area follows. The
// pointers take their shapes once the dialog is first on screen.
void frame_sent(ui::Window* w) {
    Native& n = native(w);
    const Rect help = help_rect_of(w);
    if (n.help_area && help != n.help_rect) {
        n.help_rect = help;
        move_resize(n.help_area, help);
    }
    if (n.pointers_set) return;
    n.pointers_set = true;
    for (ui::Window* each : windows()) set_pointers(each);
}

canvas::GlyphSource* open_fallback_glyphs(double dpi) { return open_freetype_glyphs(dpi); }

}  // namespace host

namespace ui {

using namespace x11;

void show(Window* window) {
    window->shown = true;
    if (grabs_held()) map_now(window);
}

void make_topmost(Window* window) {
    if (native(window).xwindow) raise(native(window).xwindow);
    // Anything of ours made earlier stays below, as each window is lifted
    // in its turn; the dialog keeps its place above the cover.
    for (ui::Window* w : host::windows())
        if (w != window && !w->is_cover() && native(w).xwindow) raise(native(w).xwindow);
}

}  // namespace ui
