// Creating the windows and putting the dialog on an output.
#include "platform/wayland/Window.h"

#include "platform/wayland/Connection.h"
#include "platform/wayland/Seat.h"

namespace wl {
namespace {

ui::Window* g_dialog = nullptr;

void centre(ui::Window* w) {
    const Output& o = *w->output;
    w->x = (o.width - w->form->width() / w->scale) / 2;
    w->y = (o.height - w->form->height() / w->scale) / 2;
    wl_subsurface_set_position(w->subsurface, w->x, w->y);
    // The position is the parent's state, applied with its next commit.
    wl_surface_commit(o.surface);
}

void take_down(ui::Window* w) {
    if (w->subsurface) wl_subsurface_destroy(w->subsurface);
    if (w->surface) wl_surface_destroy(w->surface);
    w->subsurface = nullptr;
    w->surface = nullptr;
    w->output = nullptr;
}

// Drawn for the scale of the output it is on, so it stays as large and
// as sharp there: the same dialog, its state as it was.
void take_scale(ui::Window* w, int scale) {
    if (scale == w->scale) return;
    w->scale = scale;
    const double dpi = dialog::kDefaultDpi * scale;
    w->form->set_dpi(dpi);
    w->painter = std::make_unique<ShmPainter>(dpi);
    if (w->surface) wl_surface_set_buffer_scale(w->surface, scale);
}

// A fresh surface over the output's lock surface; the next paint fills it.
void put_on(ui::Window* w, Output& output) {
    take_down(w);
    take_scale(w, output.scale);
    w->output = &output;
    w->surface = wl_compositor_create_surface(g_wl.compositor);
    wl_surface_set_buffer_scale(w->surface, w->scale);
    // The pointer goes to the lock surface beneath, and the input code
    // finds the dialog there: some compositors (sway 1.8) send a locked
    // session's input to lock surfaces alone, never to their subsurfaces.
    wl_region* no_input = wl_compositor_create_region(g_wl.compositor);
    wl_surface_set_input_region(w->surface, no_input);
    wl_region_destroy(no_input);
    // Synchronised, as subsurfaces start: each frame, and each move, shows
    // with the next commit of the lock surface.
    w->subsurface = wl_subcompositor_get_subsurface(g_wl.subcompositor, w->surface, output.surface);
    centre(w);
    w->form->invalidate();
}

// The first output that is covered, in the compositor's order.
void place(ui::Window* w) {
    if (!w || !w->shown || w->output) return;
    if (Output* output = first_covered_output()) put_on(w, *output);
}

}  // namespace

ui::Window* dialog_window() { return g_dialog; }

void output_covered(Output& output) {
    ui::Window* w = g_dialog;
    if (!w || !w->shown) return;
    if (!w->output)
        place(w);
    else if (w->output == &output)
        centre(w);
}

void output_gone(const Output& output) {
    ui::Window* w = g_dialog;
    if (!w || w->output != &output) return;
    take_down(w);
    // The gone output is already out of the list.
    place(w);
}

void output_announced(const Output& output) {
    ui::Window* w = g_dialog;
    if (!w || w->output != &output || output.scale == w->scale) return;
    take_scale(w, output.scale);
    centre(w);
}

void paint_dirty() {
    ui::Window* w = g_dialog;
    if (!w || !w->surface || !w->form->dirty()) return;
    w->painter->begin(w->surface, w->output->surface, w->form->width(), w->form->height());
    w->form->paint(*w->painter);
    w->painted = true;
    update_pointer_shape();
}

void wipe_all_text() {
    if (g_dialog) g_dialog->form->wipe();
}

}  // namespace wl

void ui::Window::size_changed(int, int) {
    // The dialog grows and shrinks at its bottom edge: the next paint has
    // the new size, and the top-left corner stays where it is.
}

namespace dialog {

Form& form_of(ui::Window* window) { return *window->form; }

}  // namespace dialog

namespace ui {

using namespace wl;

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    auto* w = new Window;
    w->desc = &desc;
    w->events = &events;
    if (desc.kind == WindowKind::Dialog) {
        // Drawn at the scale of the output it will first show on: sharp there.
        w->scale = g_wl.outputs.empty() ? 1 : g_wl.outputs.front()->scale;
        const double dpi = dialog::kDefaultDpi * w->scale;
        w->form = std::make_unique<dialog::Form>(desc, events, *w, dpi);
        w->painter = std::make_unique<ShmPainter>(dpi);
        g_dialog = w;
    }
    return w;
}

// The cover shows as the lock is taken; the dialog goes on the first
// covered output.
void show(Window* window) {
    window->shown = true;
    if (!window->is_cover()) place(window);
}

// Lock surfaces are above everything the compositor shows.
void make_topmost(Window*) {}

}  // namespace ui
