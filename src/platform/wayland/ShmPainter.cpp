// Drawing into shared memory.
#include "platform/wayland/ShmPainter.h"

#include <algorithm>

#include "umbrafold-icons.h"

namespace wl {
namespace {

std::uint32_t xrgb(Colour colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace

void ShmPainter::begin(wl_surface* surface, wl_surface* parent, int width, int height) {
    surface_ = surface;
    parent_ = parent;
    buffer_ = &pool_.next(width, height);
    canvas_ = {buffer_->pixels, width, height};
}

void ShmPainter::fill(const Rect& r, Colour colour) {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.w, canvas_.width), y1 = std::min(r.y + r.h, canvas_.height);
    const std::uint32_t pixel = xrgb(colour);
    for (int y = y0; y < y1; ++y) std::fill(canvas_.pixels + y * canvas_.width + x0, canvas_.pixels + y * canvas_.width + x1, pixel);
}

void ShmPainter::text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) {
    fonts_.text(canvas_, x, y, font, colour, utf8);
}

// At scale 2 each of the icon's pixels is a square of four, as large as
// the image control it sits in, rather than a small icon in a corner.
void ShmPainter::icon(int x, int y) {
    constexpr int kSize = 32;
    const unsigned long* argb = umbrafold_argb_32 + 2;  // past its width and height
    const int n = icon_scale_;
    for (int row = 0; row < kSize * n; ++row)
        for (int column = 0; column < kSize * n; ++column) {
            const auto pixel = static_cast<std::uint32_t>(argb[(row / n) * kSize + column / n]);
            const int px = x + column, py = y + row;
            if ((pixel & 0xFF000000u) && px >= 0 && py >= 0 && px < canvas_.width && py < canvas_.height)
                canvas_.pixels[py * canvas_.width + px] = pixel & 0x00FFFFFFu;
        }
}

void ShmPainter::present(const Rect& r) {
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
