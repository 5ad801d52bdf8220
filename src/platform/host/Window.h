// A top-level window of a self-drawn backend: the dialog engine behind it
// (none for the cover), the painter that draws it, and the backend's
// native side, which only the backend knows.
#pragma once

#include <memory>
#include <vector>

#include "platform/dialog/Form.h"
#include "platform/host/FramePainter.h"
#include "platform/ui.h"

namespace host {

// Each backend's side of a window: its native window or surface.
struct Native;

}  // namespace host

struct ui::Window final : dialog::Host {
    const ui::WindowDesc* desc = nullptr;
    ui::FormEvents* events = nullptr;
    std::unique_ptr<dialog::Form> form;  // none for the cover
    host::Native* native = nullptr;      // the backend's, for the life of the program
    double dpi = dialog::kDefaultDpi;    // the dialog's, as its engine lays it out
    bool shown = false;                  // shown by the windows above, so kept shown
    bool repaint_due = true;             // the engine asked for a paint not yet done
    bool painted = false;                // drawn once at least
    // From the first paint on, at dpi: the dialog's text and its painter.
    std::unique_ptr<host::FramePainter> painter;

    bool is_cover() const { return !form; }

    // dialog::Host: the loop paints once input has settled.
    void repaint_soon() override { repaint_due = true; }
    void size_changed(int width, int height) override;
};

namespace host {

// Every window the program made, in the order made (the cover first).
const std::vector<ui::Window*>& windows();
// The dialog, once it is made.
ui::Window* dialog_window();

// Lays the dialog out again at another resolution, as on an output of
// another scale; its text is made anew at the next paint.
void set_dpi(ui::Window* window, double dpi);

}  // namespace host
