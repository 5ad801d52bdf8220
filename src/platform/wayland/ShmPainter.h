// The dialog painter's drawing on Wayland: the canvas is a shared-memory
// buffer, attached to the dialog's surface in one commit.
#pragma once

#include <wayland-client.h>

#include "platform/canvas/CanvasPainter.h"
#include "platform/fonts/FreeTypeSetter.h"
#include "platform/wayland/Buffers.h"

namespace wl {

using dialog::Rect;

class ShmPainter final : public canvas::CanvasPainter {
public:
    explicit ShmPainter(double dpi) : CanvasPainter(fonts_, dpi), fonts_(dpi) {}

    // Starts a frame of width x height for the surface, a subsurface of
    // parent.
    void begin(wl_surface* surface, wl_surface* parent, int width, int height);
    void present(const Rect& r) override;

private:
    fonts::FreeTypeSetter fonts_;  // made before use: the base keeps only a reference
    BufferPool pool_;
    Buffer* buffer_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_surface* parent_ = nullptr;
};

}  // namespace wl
