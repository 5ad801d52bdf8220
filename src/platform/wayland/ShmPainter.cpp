// Drawing into shared memory.
#include "platform/wayland/ShmPainter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "umbrafold-32.xpm"

namespace wl {
namespace {

std::uint32_t xrgb(Colour colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// The program icon from its XPM source: a header line, one line per
// colour ("key c #RRGGBB" or "key c None"), then one line per row of
// one-character keys. Transparent pixels come out with the top bit clear.
struct Icon {
    int size = 0;
    std::uint32_t pixels[32 * 32] = {};
};

const Icon& icon_32() {
    static const Icon icon = [] {
        Icon made;
        const char* const* xpm = umbrafold_icon_32;
        int width = 0, height = 0, colours = 0, per_pixel = 0;
        if (std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &per_pixel) != 4 || width != 32 ||
            height != 32 || per_pixel != 1)
            return made;
        std::uint32_t table[256] = {};
        for (int i = 1; i <= colours; ++i) {
            const char* hash = std::strchr(xpm[i], '#');
            if (hash) table[static_cast<unsigned char>(xpm[i][0])] =
                    0xFF000000u | static_cast<std::uint32_t>(std::strtoul(hash + 1, nullptr, 16));
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                made.pixels[y * 32 + x] = table[static_cast<unsigned char>(xpm[1 + colours + y][x])];
        made.size = 32;
        return made;
    }();
    return icon;
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
    const Icon& icon = icon_32();
    const int n = icon_scale_;
    for (int row = 0; row < icon.size * n; ++row)
        for (int column = 0; column < icon.size * n; ++column) {
            const std::uint32_t pixel = icon.pixels[(row / n) * icon.size + column / n];
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
