// Fills and the icon, straight into the canvas.
#include "platform/canvas/CanvasPainter.h"

#include <algorithm>
#include <cstdint>

#include "umbrafold-icons.h"

namespace canvas {

void CanvasPainter::fill(const Rect& r, Colour colour) {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.w, canvas_.width), y1 = std::min(r.y + r.h, canvas_.height);
    if (x0 >= x1) return;
    const std::uint32_t pixel = pixel_of(colour);
    for (int y = y0; y < y1; ++y)
        std::fill(canvas_.pixels + y * canvas_.width + x0, canvas_.pixels + y * canvas_.width + x1, pixel);
}

void CanvasPainter::icon(int x, int y) {
    constexpr int kSize = 32;
    const auto* argb = umbrafold_argb_32 + 2;  // past its width and height
    const int n = icon_scale_;
    for (int row = 0; row < kSize * n; ++row)
        for (int column = 0; column < kSize * n; ++column) {
            const auto pixel = static_cast<std::uint32_t>(argb[(row / n) * kSize + column / n]);
            const int px = x + column, py = y + row;
            if ((pixel & 0xFF000000u) && px >= 0 && py >= 0 && px < canvas_.width && py < canvas_.height)
                canvas_.pixels[py * canvas_.width + px] = pixel & 0x00FFFFFFu;
        }
}

}  // namespace canvas
