// The program's windows on Wayland. The cover is the lock surfaces, one per
// output; the dialog is a subsurface of one of them, centred on it.
#pragma once

#include <memory>

#include <wayland-client.h>

#include "platform/dialog/Form.h"
#include "platform/ui.h"
#include "platform/wayland/Outputs.h"
#include "platform/wayland/ShmPainter.h"

struct ui::Window final : dialog::Host {
    const ui::WindowDesc* desc = nullptr;
    ui::FormEvents* events = nullptr;
    std::unique_ptr<dialog::Form> form;  // none for the cover
    int scale = 1;                       // buffer pixels per surface pixel
    bool shown = false;
    bool painted = false;  // drawn once at least
    // Where the dialog is: its output, its surface over that output's lock
    // surface, and its top-left corner there in surface coordinates.
    wl::Output* output = nullptr;
    wl_surface* surface = nullptr;
    wl_subsurface* subsurface = nullptr;
    int x = 0, y = 0;
    std::unique_ptr<wl::ShmPainter> painter;

    bool is_cover() const { return !form; }

    // dialog::Host: the loop paints whatever is dirty once events are served.
    void repaint_soon() override {}
    void size_changed(int width, int height) override;
};

namespace wl {

ui::Window* dialog_window();

// An output's lock surface is up or changed size: the dialog goes there if
// it has no place yet, and is centred again on its own output.
void output_covered(Output& output);
// An output is going: a dialog on it moves to another.
void output_gone(const Output& output);
// An output's properties have all come: a dialog on it takes its scale.
void output_announced(const Output& output);

// Paints the dialog if it needs it.
void paint_dirty();
// Wipes the text of the password box.
void wipe_all_text();

}  // namespace wl
