// Creating the program's windows and carrying out what the windows above
// ask of them and their controls.
#include "platform/x11/Window.h"

#include <algorithm>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include "platform/x11/Icon.h"

namespace x11 {
namespace {

std::vector<ui::Window*> g_windows;

Rect ControlRect(const ui::WindowDesc& desc, int index, int frame) {
    const ui::ControlDesc& c = desc.controls[index];
    Rect r{Px(c.left) + frame, Px(c.top) + frame, Px(c.width), Px(c.height)};
    if (c.parent >= 0) {
        const ui::ControlDesc& p = desc.controls[c.parent];
        r.x += Px(p.left);
        r.y += Px(p.top);
    }
    return r;
}

void SetIdentity(::Window xwindow, const char* title) {
    XClassHint hint{const_cast<char*>("umbrafold"), const_cast<char*>("Umbrafold")};
    XSetClassHint(g_x.display, xwindow, &hint);
    XStoreName(g_x.display, xwindow, title);
    // Asks a compositor to leave the window alone rather than paint it
    // through its own buffers.
    const long bypass = 1;
    XChangeProperty(g_x.display, xwindow, g_x.atoms.net_wm_bypass_compositor, XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&bypass), 1);
}

::Window MakeXWindow(const Rect& r, unsigned long background, long events) {
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

// The native side of a window: made at start, and again from the kept
// state should another client destroy it.
void MakeNative(ui::Window* w) {
    // PropertyChangeMask: to see another client set an opacity on us.
    const long common = PropertyChangeMask | StructureNotifyMask;
    if (w->is_cover()) {
        w->xwindow = MakeXWindow(w->outer, BlackPixel(g_x.display, g_x.screen), common | ButtonPressMask);
        SetIdentity(w->xwindow, w->desc->title);
        return;
    }
    w->xwindow = MakeXWindow(w->outer, 0xC0C0C0,
                             common | ExposureMask | ButtonPressMask | ButtonReleaseMask);
    SetIdentity(w->xwindow, w->desc->title);
    XSetWMProtocols(g_x.display, w->xwindow, &g_x.atoms.wm_delete_window, 1);
    SetWindowIcon(w->xwindow);
    for (const Control& c : w->controls) {
        if (!(c.desc->flags & ui::kHelpCursor)) continue;
        XSetWindowAttributes attributes{};
        attributes.event_mask = ButtonPressMask | ButtonReleaseMask;
        w->help_area = XCreateWindow(g_x.display, w->xwindow, c.rect.x, c.rect.y,
                                     static_cast<unsigned>(std::max(c.rect.w, 1)),
                                     static_cast<unsigned>(std::max(c.rect.h, 1)), 0, 0, InputOnly,
                                     CopyFromParent, CWEventMask, &attributes);
        XMapWindow(g_x.display, w->help_area);
    }
}

void CreateCover(ui::Window* w) {
    w->outer = RootRect();
    MakeNative(w);
}

void CreateDialog(ui::Window* w) {
    const ui::WindowDesc& d = *w->desc;
    w->frame = Px(d.frame);
    const int width = Px(d.client_width) + 2 * w->frame;
    const int height = Px(d.client_height) + 2 * w->frame;
    const Rect monitor = PrimaryMonitor();
    w->outer = {monitor.x + (monitor.w - width) / 2, monitor.y + (monitor.h - height) / 2, width, height};
    w->controls.resize(d.control_count);
    // The password box's characters live in here.
    ui::keep_in_memory(w->controls.data(), w->controls.size() * sizeof(Control));
    for (std::size_t i = 0; i < d.control_count; ++i) {
        Control& c = w->controls[i];
        c.desc = &d.controls[i];
        c.rect = ControlRect(d, static_cast<int>(i), w->frame);
        c.back = ResolveColour(c.desc->back, kFace);
        c.enabled = !(c.desc->flags & ui::kDisabled);
        SetCaption(c, c.desc->text);
    }
    MakeNative(w);
}

}  // namespace

const std::vector<ui::Window*>& AllWindows() { return g_windows; }

ui::Window* FindWindow(::Window xwindow) {
    for (ui::Window* w : g_windows)
        if (w->xwindow == xwindow || (w->help_area && w->help_area == xwindow)) return w;
    return nullptr;
}

ui::Window* DialogWindow() {
    for (ui::Window* w : g_windows)
        if (!w->is_cover()) return w;
    return nullptr;
}

void RaiseAll() {
    for (ui::Window* w : g_windows) XRaiseWindow(g_x.display, w->xwindow);
}

void KeepOnTop() {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(g_x.display, g_x.root, &root, &parent, &children, &count)) return;
    // Children come bottom to top: ours must be the last ones, in our order.
    bool on_top = count >= g_windows.size();
    for (std::size_t i = 0; on_top && i < g_windows.size(); ++i)
        on_top = children[count - g_windows.size() + i] == g_windows[i]->xwindow;
    if (children) XFree(children);
    if (!on_top) RaiseAll();
}

void FitToScreen() {
    for (ui::Window* w : g_windows) {
        if (w->is_cover()) {
            w->outer = RootRect();
        } else {
            const Rect monitor = PrimaryMonitor();
            w->outer.x = monitor.x + (monitor.w - w->outer.w) / 2;
            w->outer.y = monitor.y + (monitor.h - w->outer.h) / 2;
        }
        XMoveResizeWindow(g_x.display, w->xwindow, w->outer.x, w->outer.y,
                          static_cast<unsigned>(w->outer.w), static_cast<unsigned>(w->outer.h));
    }
}

void Invalidate(ui::Window* window) { window->dirty = true; }

// The pointer shapes come through the cursor theme: a fifth of all the work
// before the grabs, for something nobody looks at before the dialog is
// drawn. Until then the pointer keeps the root's shape.
void SetPointers(ui::Window* w) {
    static const Cursor arrow = XCreateFontCursor(g_x.display, XC_left_ptr);
    XDefineCursor(g_x.display, w->xwindow, arrow);
    if (!w->help_area) return;
    static const Cursor help = XCreateFontCursor(g_x.display, XC_question_arrow);
    XDefineCursor(g_x.display, w->help_area, help);
}

void Recreate(ui::Window* w) {
    w->xwindow = 0;
    w->help_area = 0;
    MakeNative(w);
    SetPointers(w);
    XMapWindow(g_x.display, w->xwindow);
    RaiseAll();
    Invalidate(w);
}

void Restore(ui::Window* w, const Rect& now, bool mapped) {
    if (!mapped) {
        XMapWindow(g_x.display, w->xwindow);
        RaiseAll();
    }
    if (now.x != w->outer.x || now.y != w->outer.y || now.w != w->outer.w || now.h != w->outer.h)
        XMoveResizeWindow(g_x.display, w->xwindow, w->outer.x, w->outer.y,
                          static_cast<unsigned>(w->outer.w), static_cast<unsigned>(w->outer.h));
}

void Paint(ui::Window* w) {
    w->dirty = false;
    if (w->is_cover()) return;
    w->canvas.Fit(w->xwindow, w->outer.w, w->outer.h);
    if (!w->fitted) {
        w->fitted = true;
        for (Control& c : w->controls) {
            FitToText(c);
            if (w->help_area && (c.desc->flags & ui::kHelpCursor))
                XMoveResizeWindow(g_x.display, w->help_area, c.rect.x, c.rect.y,
                                  static_cast<unsigned>(std::max(c.rect.w, 1)),
                                  static_cast<unsigned>(std::max(c.rect.h, 1)));
        }
    }
    const Rect all{0, 0, w->outer.w, w->outer.h};
    w->canvas.Fill(all, kFace);
    const int bottom = w->frame + w->client_height();
    for (std::size_t i = 0; i < w->controls.size(); ++i) {
        const Control& c = w->controls[i];
        if (c.rect.y >= bottom) continue;  // folded away below the client area
        PaintControl(w->canvas, c, static_cast<int>(i) == w->focus);
    }
    // Last, so controls cut off at the lower edge do not spill over the frame.
    w->canvas.DrawFrame(all, Frame::Dialog);
    w->canvas.Present(all);
}

void SetFocus(ui::Window* w, int control) {
    if (control == w->focus) return;
    w->focus = control;
    Invalidate(w);
}

void MoveFocus(ui::Window* w, int from, int step) {
    std::vector<int> order;
    for (std::size_t i = 0; i < w->controls.size(); ++i)
        if (w->controls[i].desc->tab_index >= 0) order.push_back(static_cast<int>(i));
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return w->controls[a].desc->tab_index < w->controls[b].desc->tab_index;
    });
    const int n = static_cast<int>(order.size());
    int at = static_cast<int>(std::find(order.begin(), order.end(), from) - order.begin());
    if (at == n) at = step > 0 ? -1 : n;
    for (int tries = 0; tries < n; ++tries) {
        at = ((at + step) % n + n) % n;
        const Control& c = w->controls[order[at]];
        if (c.focusable() && c.enabled) {
            SetFocus(w, order[at]);
            return;
        }
    }
}

void WipeAllText() {
    for (ui::Window* w : g_windows)
        for (Control& c : w->controls) c.box.Wipe();
}

}  // namespace x11

namespace ui {

using namespace x11;

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    auto* w = new Window;
    w->desc = &desc;
    w->events = &events;
    if (desc.kind == WindowKind::Cover)
        CreateCover(w);
    else
        CreateDialog(w);
    g_windows.push_back(w);
    return w;
}

void show_modeless(Window* window) {
    window->events->on_load();
    window->mapped = true;
    XMapRaised(g_x.display, window->xwindow);
    XFlush(g_x.display);
}

void make_topmost(Window* window) {
    XRaiseWindow(g_x.display, window->xwindow);
    // Anything of ours made earlier stays below, as each window is lifted
    // in its turn; the dialog keeps its place above the cover.
    for (ui::Window* w : g_windows)
        if (w != window && !w->is_cover()) XRaiseWindow(g_x.display, w->xwindow);
}

void set_outer_height(Window* window, int twips) {
    window->outer.h = Px(twips);
    XResizeWindow(g_x.display, window->xwindow, static_cast<unsigned>(window->outer.w),
                  static_cast<unsigned>(window->outer.h));
    Invalidate(window);
}

SecretText text(Window* window, int control) { return window->controls[control].box.Utf8(); }

void set_text(Window* window, int control, const SecretText& value) {
    Control& c = window->controls[control];
    if (!c.box.Assign(value, c.desc->max_length)) return;
    Invalidate(window);
    window->events->on_change(control);
}

bool enabled(Window* window, int control) { return window->controls[control].enabled; }

void set_enabled(Window* window, int control, bool on) {
    Control& c = window->controls[control];
    if (c.enabled == on) return;
    c.enabled = on;
    Invalidate(window);
    if (!on && window->focus == control) MoveFocus(window, control, +1);
}

void set_caption(Window* window, int control, const char* caption) {
    SetCaption(window->controls[control], caption);
    Invalidate(window);
}

void set_back_colour(Window* window, int control, Colour colour) {
    window->controls[control].back = ResolveColour(colour, kFace);
    Invalidate(window);
}

}  // namespace ui
