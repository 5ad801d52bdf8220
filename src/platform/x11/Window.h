// A top-level window of the program: the native window, the dialog engine
// behind it (none for the cover) and its painter.
#pragma once

#include <memory>
#include <vector>

#include "platform/dialog/Form.h"
#include "platform/ui.h"
#include "platform/x11/Display.h"
#include "platform/x11/ImagePainter.h"

struct ui::Window final : dialog::Host {
    const ui::WindowDesc* desc = nullptr;
    ui::FormEvents* events = nullptr;
    xcb_window_t xwindow = 0;
    xcb_window_t help_area = 0;  // an input-only window that shows the help pointer
    x11::Rect help_rect;     // where help_area was last put
    x11::Rect outer;         // in root coordinates
    std::unique_ptr<dialog::Form> form;
    bool mapped = false;  // shown by us, so to be kept shown
    std::unique_ptr<x11::ImagePainter> painter;  // from the first paint on

    bool is_cover() const { return !form; }

    // dialog::Host: the loop paints whatever is dirty once input settles.
    void repaint_soon() override {}
    void size_changed(int width, int height) override;
};

namespace x11 {

// Every window the program made, cover first.
const std::vector<ui::Window*>& all_windows();
ui::Window* find_window(xcb_window_t xwindow);
ui::Window* dialog_window();

// Puts the program's windows back above everything else, cover first so
// the dialog ends in front of it.
void raise_all();
// The same, but only where another window has come between or above ours;
// for our own restacking, which raising would report again.
void keep_on_top();
// Fits the cover to the root and centres the dialog on the primary monitor.
void fit_to_screen();

// The pointer shapes, set once the dialog is first drawn.
void set_pointers(ui::Window* window);
// Another client destroyed the window: make it again, same state.
void recreate(ui::Window* window);
// Another client unmapped, moved or resized it: put it back.
void restore(ui::Window* window, const Rect& now, bool mapped);

// Nothing is mapped before keyboard and pointer are held: a window shown
// before that waits until the grabs are taken, which maps every such window
// in the order they were made (cover first). Makes the dialog's native
// window on its first mapping.
void map_now(ui::Window* window);
void map_shown_windows();

// Paints the dialogs that need it.
void paint_dirty();

// Wipes the text of every password box.
void wipe_all_text();

}  // namespace x11
