// Putting the dialog on an output, and what the host asks of its surface
// (host/Backend.h).
#include "platform/wayland/Window.h"

#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/host/Backend.h"
#include "platform/wayland/Connection.h"
#include "platform/wayland/Seat.h"

namespace wl {
namespace {

using host::dialog_window;

void centre(ui::Window* w) {
    host::Native& n = native(w);
    const Output& o = *n.output;
    n.x = (o.width - w->form->width() / n.scale) / 2;
    n.y = (o.height - w->form->height() / n.scale) / 2;
    wl_subsurface_set_position(n.subsurface, n.x, n.y);
    // The position is the parent's state, applied with its next commit.
    wl_surface_commit(o.surface);
}

void take_down(ui::Window* w) {
    host::Native& n = native(w);
    if (n.subsurface) wl_subsurface_destroy(n.subsurface);
    if (n.surface) wl_surface_destroy(n.surface);
    n.subsurface = nullptr;
    n.surface = nullptr;
    n.output = nullptr;
}

// Drawn for the scale of the output it is on, so it stays as large and
// as sharp there: the same dialog, its state as it was.
void take_scale(ui::Window* w, int scale) {
    host::Native& n = native(w);
    if (scale == n.scale) return;
    n.scale = scale;
    host::set_dpi(w, dialog::kDefaultDpi * scale);
    if (n.surface) wl_surface_set_buffer_scale(n.surface, scale);
}

// A fresh surface over the output's lock surface; the next paint fills it.
void put_on(ui::Window* w, Output& output) {
    take_down(w);
    take_scale(w, output.scale);
    host::Native& n = native(w);
    n.output = &output;
    n.surface = wl_compositor_create_surface(g_wl.compositor);
    wl_surface_set_buffer_scale(n.surface, n.scale);
    // The pointer goes to the lock surface beneath, and the input code
    // finds the dialog there: some compositors (sway 1.8) send a locked
    // session's input to lock surfaces alone, never to their subsurfaces.
    wl_region* no_input = wl_compositor_create_region(g_wl.compositor);
    wl_surface_set_input_region(n.surface, no_input);
    wl_region_destroy(no_input);
    // Synchronised, as subsurfaces start: each frame, and each move, shows
    // with the next commit of the lock surface.
    n.subsurface = wl_subcompositor_get_subsurface(g_wl.subcompositor, n.surface, output.surface);
    centre(w);
    w->form->invalidate();
}

// The first output that is covered, in the compositor's order.
void place(ui::Window* w) {
    if (!w || !w->shown || native(w).output) return;
    if (Output* output = first_covered_output()) put_on(w, *output);
}

}  // namespace

void output_covered(Output& output) {
    ui::Window* w = dialog_window();
    if (!w || !w->shown) return;
    if (!native(w).output)
        place(w);
    else if (native(w).output == &output)
        centre(w);
}

void output_gone(const Output& output) {
    ui::Window* w = dialog_window();
    if (!w || native(w).output != &output) return;
    take_down(w);
    // The gone output is already out of the list.
    place(w);
}

void output_announced(const Output& output) {
    ui::Window* w = dialog_window();
    if (!w || native(w).output != &output || output.scale == native(w).scale) return;
    take_scale(w, output.scale);
    centre(w);
}

}  // namespace wl

namespace host {

using namespace wl;

// Drawn at the scale of the output it will first show on: sharp there.
double dialog_dpi() { return dialog::kDefaultDpi * (g_wl.outputs.empty() ? 1 : g_wl.outputs.front()->scale); }

void window_made(ui::Window* w) {
    w->native = new Native;
    w->native->scale = static_cast<int>(w->dpi / dialog::kDefaultDpi);
}

canvas::Canvas begin_frame(ui::Window* w, int width, int height) {
    Native& n = native(w);
    if (!n.surface) return {};
    return n.frames.begin(n.surface, n.output->surface, width, height);
}

void present(ui::Window* w, const dialog::Rect& area) { native(w).frames.present(area); }

// The dialog grows and shrinks at its bottom edge: the next paint has the
// new size, and the top-left corner stays where it is.
void resize(ui::Window*, int, int) {}

void frame_sent(ui::Window*) { update_pointer_shape(); }

canvas::GlyphSource* open_fallback_glyphs(double dpi) { return fonts::open_freetype_glyphs(dpi); }

}  // namespace host

namespace ui {

using namespace wl;

// The cover shows as the lock is taken; the dialog goes on the first
// covered output.
void show(Window* window) {
    window->shown = true;
    if (!window->is_cover()) place(window);
}

// Lock surfaces are above everything the compositor shows.
void make_topmost(Window*) {}

}  // namespace ui
