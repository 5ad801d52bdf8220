// The dialog painter's drawing on Wayland: the canvas is a shared-memory
// buffer, attached to the dialog's surface in one commit.
#pragma once

#include <wayland-client.h>

#include "platform/canvas/CanvasPainter.h"
#include "platform/canvas/GlyphTypesetter.h"
#include "platform/fonts/BakedGlyphs.h"
#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/wayland/Buffers.h"

namespace wl {

using dialog::Rect;

class ShmPainter final : public canvas::CanvasPainter {
public:
    // The typesetter is made after the base, which keeps only a reference.
    explicit ShmPainter(double dpi)
        : CanvasPainter(typesetter_, dpi), freetype_(dpi),
          glyphs_(fonts::built_glyphs(dpi, [this]() -> canvas::GlyphSource& { return freetype_; })),
          typesetter_(glyphs_) {}

    // Starts a frame of width x height for the surface, a subsurface of
    // parent.
    void begin(wl_surface* surface, wl_surface* parent, int width, int height);
    void present(const Rect& r) override;

private:
    fonts::FreeTypeGlyphs freetype_;  // for what the build's table lacks
    fonts::BakedGlyphs glyphs_;
    canvas::GlyphTypesetter typesetter_;
    BufferPool pool_;
    Buffer* buffer_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_surface* parent_ = nullptr;
};

}  // namespace wl
