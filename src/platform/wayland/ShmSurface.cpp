// Drawing into shared memory.
#include "platform/wayland/ShmSurface.h"

namespace wl {

canvas::Canvas ShmSurface::begin(wl_surface* surface, wl_surface* parent, int width, int height) {
    surface_ = surface;
    parent_ = parent;
    buffer_ = &pool_.next(width, height);
    return {buffer_->pixels, width, height};
}

void ShmSurface::present(const Rect& r) {
    wl_surface_attach(surface_, buffer_->buffer, 0, 0);
    wl_surface_damage_buffer(surface_, r.x, r.y, r.w, r.h);
    wl_surface_commit(surface_);
    // The frame waits for the parent's commit, which shows it. Some
    // compositors (sway 1.8) repaint a lock surface's output only when the
    // lock surface itself is committed, whatever its subsurfaces do.
    wl_surface_commit(parent_);
    buffer_->busy = true;
}

}  // namespace wl
