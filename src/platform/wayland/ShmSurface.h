// The dialog's frames on Wayland: each one a shared-memory buffer, drawn
// in memory and attached to the dialog's surface in one commit.
#pragma once

#include <wayland-client.h>

#include "platform/canvas/Canvas.h"
#include "platform/dialog/Rect.h"
#include "platform/wayland/Buffers.h"

namespace wl {

using dialog::Rect;

class ShmSurface {
public:
    // A frame of width x height for the surface, a subsurface of parent.
    canvas::Canvas begin(wl_surface* surface, wl_surface* parent, int width, int height);
    void present(const Rect& r);

private:
    BufferPool pool_;
    Buffer* buffer_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_surface* parent_ = nullptr;
};

}  // namespace wl
