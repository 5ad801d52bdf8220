// The dialog painter's drawing on Wayland: the canvas is a shared-memory
// buffer, attached to the dialog's surface in one commit.
#pragma once

#include <wayland-client.h>

#include "platform/canvas/CanvasPainter.h"
#include "platform/fonts/DialogText.h"
#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/wayland/Buffers.h"

namespace wl {

using dialog::Rect;

// The dialog's text, made before the painter that sets it.
struct LinkedText {
    explicit LinkedText(double dpi) : dialog_text(dpi, fonts::open_freetype_glyphs) {}
    fonts::DialogText dialog_text;
};

class ShmPainter final : private LinkedText, public canvas::CanvasPainter {
public:
    explicit ShmPainter(double dpi) : LinkedText(dpi), CanvasPainter(dialog_text.typesetter(), dpi) {}

    // Starts a frame of width x height for the surface, a subsurface of
    // parent.
    void begin(wl_surface* surface, wl_surface* parent, int width, int height);
    void present(const Rect& r) override;

private:
    BufferPool pool_;
    Buffer* buffer_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_surface* parent_ = nullptr;
};

}  // namespace wl
