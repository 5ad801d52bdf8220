// Making the program's windows and painting the dialog, the same on every
// self-drawn backend; what is native is the backend's (Backend.h).
#include "platform/host/Window.h"

#include <cstdio>
#include <unistd.h>

#include "platform/host/Backend.h"
#include "platform/host/Paint.h"

namespace host {
namespace {

std::vector<ui::Window*> g_windows;

}  // namespace

const std::vector<ui::Window*>& windows() { return g_windows; }

ui::Window* dialog_window() {
    for (ui::Window* w : g_windows)
        if (!w->is_cover()) return w;
    return nullptr;
}

void set_dpi(ui::Window* w, double dpi) {
    w->dpi = dpi;
    w->form->set_dpi(dpi);
    w->painter.reset();
}

void FramePainter::present(const dialog::Rect& area) { host::present(&window_, area); }

bool paint_due() {
    bool painted = false;
    for (ui::Window* w : g_windows) {
        if (!w->form || !w->repaint_due) continue;
        dialog::Form& form = *w->form;
        const canvas::Canvas frame = begin_frame(w, form.width(), form.height());
        if (!frame.pixels) continue;
        if (!w->painter) w->painter = std::make_unique<FramePainter>(*w, w->dpi, open_fallback_glyphs);
        w->painter->begin(frame);
        w->repaint_due = false;
        form.paint(*w->painter);
        w->painted = painted = true;
    }
    return painted;
}

void frames_sent() {
    for (ui::Window* w : g_windows)
        if (w->painted) frame_sent(w);
}

}  // namespace host

void ui::Window::size_changed(int width, int height) { host::resize(this, width, height); }

namespace dialog {

Form& form_of(ui::Window* window) { return *window->form; }

}  // namespace dialog

namespace ui {

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    auto* w = new Window;
    w->desc = &desc;
    w->events = &events;
    if (desc.kind == WindowKind::Dialog) {
        w->dpi = host::dialog_dpi();
        w->form = std::make_unique<dialog::Form>(desc, events, *w, w->dpi);
    }
    host::g_windows.push_back(w);
    host::window_made(w);
    return w;
}

void end_program(int status) {
    for (Window* w : host::windows())
        if (w->form) w->form->wipe();
    std::fflush(stdout);
    std::fflush(stderr);
    host::disconnect();
    _exit(status);
}

}  // namespace ui
