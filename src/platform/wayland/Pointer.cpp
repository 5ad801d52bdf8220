// The seat's pointer: clicks to the dialog, and its shape over the title.
#include <linux/input-event-codes.h>

#include "platform/wayland/Cursor.h"
#include "platform/wayland/Seat.h"
#include "platform/wayland/Window.h"

namespace wl {
namespace {

struct PointerState {
    wl_pointer* pointer = nullptr;
    std::uint32_t serial = 0;  // of the last enter, to set the shape with
    wl_surface* over = nullptr;
    double x = 0, y = 0;  // surface coordinates on over
    bool shaped = false;
    Shape shape = Shape::Arrow;
};
PointerState g_p;

// Where the pointer is in the dialog's pixels; outside it (-1, -1) when
// it is on another output.
void dialog_point(const ui::Window* w, int* x, int* y) {
    const host::Native& n = native(w);
    *x = *y = -1;
    if (g_p.over == n.surface) {
        *x = static_cast<int>(g_p.x * n.scale);
        *y = static_cast<int>(g_p.y * n.scale);
    } else if (n.output && g_p.over == n.output->surface) {
        *x = static_cast<int>((g_p.x - n.x) * n.scale);
        *y = static_cast<int>((g_p.y - n.y) * n.scale);
    }
}

void on_enter(void*, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    g_p.serial = serial;
    g_p.over = surface;
    g_p.x = wl_fixed_to_double(x);
    g_p.y = wl_fixed_to_double(y);
    g_p.shaped = false;
    update_pointer_shape();
}

void on_leave(void*, wl_pointer*, uint32_t, wl_surface*) { g_p.over = nullptr; }

void on_motion(void*, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    g_p.x = wl_fixed_to_double(x);
    g_p.y = wl_fixed_to_double(y);
    update_pointer_shape();
}

void on_button(void*, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
    ui::Window* w = host::dialog_window();
    if (!w || button != BTN_LEFT) return;
    int x = 0, y = 0;
    dialog_point(w, &x, &y);
    if (state == WL_POINTER_BUTTON_STATE_PRESSED)
        w->form->press(x, y);
    else
        w->form->release(x, y);
}

void on_axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void on_frame(void*, wl_pointer*) {}
void on_axis_source(void*, wl_pointer*, uint32_t) {}
void on_axis_stop(void*, wl_pointer*, uint32_t, uint32_t) {}
void on_axis_discrete(void*, wl_pointer*, uint32_t, int32_t) {}

// Bound at seat version 5 at most: nothing of later versions comes.
const wl_pointer_listener kPointerListener = {on_enter, on_leave, on_motion, on_button, on_axis,
                                              on_frame, on_axis_source, on_axis_stop, on_axis_discrete,
                                              nullptr};

}  // namespace

void watch_pointer(wl_seat* seat, bool present) {
    if (present && !g_p.pointer) {
        g_p.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(g_p.pointer, &kPointerListener, nullptr);
    } else if (!present && g_p.pointer) {
        if (wl_pointer_get_version(g_p.pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
            wl_pointer_release(g_p.pointer);
        else
            wl_pointer_destroy(g_p.pointer);
        g_p = {};
    }
}

// Reading the cursor theme takes longer than drawing the dialog: the
// pointer keeps the compositor's shape until the dialog is up.
void update_pointer_shape() {
    ui::Window* w = host::dialog_window();
    if (!g_p.pointer || !g_p.over || !w || !w->painted) return;
    Shape shape = Shape::Arrow;
    int x = 0, y = 0;
    dialog_point(w, &x, &y);
    if (w->form->help_area().contains(x, y)) shape = Shape::Help;
    if (g_p.shaped && shape == g_p.shape) return;
    g_p.shaped = true;
    g_p.shape = shape;
    const Output* output = find_output(g_p.over);
    set_cursor(g_p.pointer, g_p.serial, shape, output ? output->scale : native(w).scale);
}

}  // namespace wl
