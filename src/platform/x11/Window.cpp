// Creating the program's windows and carrying out what the windows above
// ask of them.
#include "platform/x11/Window.h"

#include <algorithm>

#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include "platform/x11/Compositor.h"
#include "platform/x11/Icon.h"
#include "platform/x11/KeyBlock.h"

namespace x11 {
namespace {

std::vector<ui::Window*> g_windows;

void set_identity(::Window xwindow, const char* title) {
    XClassHint hint{const_cast<char*>("umbrafold"), const_cast<char*>("Umbrafold")};
    XSetClassHint(g_x.display, xwindow, &hint);
    XStoreName(g_x.display, xwindow, title);
    set_compositor_hints(xwindow);
}

::Window make_x_window(const Rect& r, unsigned long background, long events) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = background;
    attributes.event_mask = events;
    // What is drawn stays put when the dialog grows at its bottom edge, so
    // folding the About panel out shows no unpainted frame.
    attributes.bit_gravity = NorthWestGravity;
    return XCreateWindow(g_x.display, g_x.root, r.x, r.y, static_cast<unsigned>(r.w),
                         static_cast<unsigned>(r.h), 0, CopyFromParent, InputOutput, CopyFromParent,
                         CWOverrideRedirect | CWBackPixel | CWEventMask | CWBitGravity,
                         &attributes);
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
    // PropertyChangeMask: to see another client set an opacity on us.
    const long common = PropertyChangeMask | StructureNotifyMask;
    if (w->is_cover()) {
        w->xwindow = make_x_window(w->outer, BlackPixel(g_x.display, g_x.screen), common | ButtonPressMask);
        set_identity(w->xwindow, w->desc->title);
        return;
    }
    w->xwindow = make_x_window(w->outer, 0xC0C0C0, common | ExposureMask | ButtonPressMask | ButtonReleaseMask);
    set_identity(w->xwindow, w->desc->title);
    XSetWMProtocols(g_x.display, w->xwindow, &g_x.atoms.wm_delete_window, 1);
    set_window_icon(w->xwindow);
    w->help_rect = help_rect_of(w);
    if (w->help_rect.w <= 0) return;
    XSetWindowAttributes attributes{};
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask;
    w->help_area = XCreateWindow(g_x.display, w->xwindow, w->help_rect.x, w->help_rect.y,
                                 static_cast<unsigned>(std::max(w->help_rect.w, 1)),
                                 static_cast<unsigned>(std::max(w->help_rect.h, 1)), 0, 0, InputOnly,
                                 CopyFromParent, CWEventMask, &attributes);
    XMapWindow(g_x.display, w->help_area);
}

Rect centred_on_primary(int width, int height) {
    const Rect monitor = primary_monitor();
    return {monitor.x + (monitor.w - width) / 2, monitor.y + (monitor.h - height) / 2, width, height};
}

void paint(ui::Window* w) {
    dialog::Form& form = *w->form;
    if (!w->painter) w->painter = make_back_buffer();
    w->painter->fit(w->xwindow, form.width(), form.height());
    form.paint(*w->painter);
    // The first paint fits the title to its text; the help area follows.
    const Rect help = help_rect_of(w);
    if (w->help_area && (help.x != w->help_rect.x || help.y != w->help_rect.y || help.w != w->help_rect.w ||
                         help.h != w->help_rect.h)) {
        w->help_rect = help;
        XMoveResizeWindow(g_x.display, w->help_area, help.x, help.y, static_cast<unsigned>(std::max(help.w, 1)),
                          static_cast<unsigned>(std::max(help.h, 1)));
    }
}

}  // namespace

const std::vector<ui::Window*>& all_windows() { return g_windows; }

ui::Window* find_window(::Window xwindow) {
    for (ui::Window* w : g_windows)
        if (w->xwindow == xwindow || (w->help_area && w->help_area == xwindow)) return w;
    return nullptr;
}

ui::Window* dialog_window() {
    for (ui::Window* w : g_windows)
        if (!w->is_cover()) return w;
    return nullptr;
}

void raise_all() {
    for (ui::Window* w : g_windows) XRaiseWindow(g_x.display, w->xwindow);
}

void keep_on_top() {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(g_x.display, g_x.root, &root, &parent, &children, &count)) return;
    // Children come bottom to top: ours must be the last ones, in our order.
    bool on_top = count >= g_windows.size();
    for (std::size_t i = 0; on_top && i < g_windows.size(); ++i)
        on_top = children[count - g_windows.size() + i] == g_windows[i]->xwindow;
    if (children) XFree(children);
    if (!on_top) raise_all();
}

void fit_to_screen() {
    for (ui::Window* w : g_windows) {
        w->outer = w->is_cover() ? root_rect() : centred_on_primary(w->outer.w, w->outer.h);
        XMoveResizeWindow(g_x.display, w->xwindow, w->outer.x, w->outer.y, static_cast<unsigned>(w->outer.w),
                          static_cast<unsigned>(w->outer.h));
    }
}

// The pointer shapes come through the cursor theme: a fifth of all the work
// before the grabs, for something nobody looks at before the dialog is
// drawn. Until then the pointer keeps the root's shape.
void set_pointers(ui::Window* w) {
    static const Cursor arrow = XCreateFontCursor(g_x.display, XC_left_ptr);
    XDefineCursor(g_x.display, w->xwindow, arrow);
    if (!w->help_area) return;
    static const Cursor help = XCreateFontCursor(g_x.display, XC_question_arrow);
    XDefineCursor(g_x.display, w->help_area, help);
}

void recreate(ui::Window* w) {
    w->xwindow = 0;
    w->help_area = 0;
    make_native(w);
    set_pointers(w);
    XMapWindow(g_x.display, w->xwindow);
    raise_all();
    if (w->form) w->form->invalidate();
}

void restore(ui::Window* w, const Rect& now, bool mapped) {
    if (!mapped) {
        XMapWindow(g_x.display, w->xwindow);
        raise_all();
    }
    if (now.x != w->outer.x || now.y != w->outer.y || now.w != w->outer.w || now.h != w->outer.h)
        XMoveResizeWindow(g_x.display, w->xwindow, w->outer.x, w->outer.y,
                          static_cast<unsigned>(w->outer.w), static_cast<unsigned>(w->outer.h));
}

void map_now(ui::Window* w) {
    if (!w->xwindow) {
        w->outer = centred_on_primary(w->form->width(), w->form->height());
        make_native(w);
    }
    XMapRaised(g_x.display, w->xwindow);
    XFlush(g_x.display);
}

void map_shown_windows() {
    for (ui::Window* w : g_windows)
        if (w->mapped) map_now(w);
}

void paint_dirty() {
    for (ui::Window* w : g_windows)
        if (w->form && w->form->dirty()) paint(w);
}

void wipe_all_text() {
    for (ui::Window* w : g_windows)
        if (w->form) w->form->wipe();
}

}  // namespace x11

void ui::Window::size_changed(int width, int height) {
    outer.w = width;
    outer.h = height;
    XResizeWindow(x11::g_x.display, xwindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

namespace dialog {

Form& form_of(ui::Window* window) { return *window->form; }

}  // namespace dialog

namespace ui {

using namespace x11;

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    auto* w = new Window;
    w->desc = &desc;
    w->events = &events;
    // The cover is made at once, the size of the root as the server gave
    // it on connecting; the dialog's native window, its monitor and its icon
    // wait until it is shown, after the lock.
    if (desc.kind == WindowKind::Cover) {
        w->outer = {0, 0, DisplayWidth(g_x.display, g_x.screen), DisplayHeight(g_x.display, g_x.screen)};
        make_native(w);
    } else {
        w->form = std::make_unique<dialog::Form>(desc, events, *w, g_x.dpi);
    }
    g_windows.push_back(w);
    return w;
}

void show(Window* window) {
    window->mapped = true;
    if (grabs_held()) map_now(window);
}

void make_topmost(Window* window) {
    if (window->xwindow) XRaiseWindow(g_x.display, window->xwindow);
    // Anything of ours made earlier stays below, as each window is lifted
    // in its turn; the dialog keeps its place above the cover.
    for (ui::Window* w : g_windows)
        if (w != window && !w->is_cover() && w->xwindow) XRaiseWindow(g_x.display, w->xwindow);
}

}  // namespace ui
