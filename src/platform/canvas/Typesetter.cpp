// Placing and blending glyphs.
#include "platform/canvas/Typesetter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/dialog/Utf8.h"

namespace canvas {
namespace {

// a * b / 255, rounded as the X server's compositing rounds it.
std::uint32_t times(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t t = a * b + 0x80;
    return ((t >> 8) + t) >> 8;
}

std::uint32_t blend(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
    if (coverage == 255) return over;
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        out |= (times(b, coverage) + times(a, 255 - coverage)) << shift;
    }
    return out;
}

}  // namespace

int Typesetter::text_width(const ui::Font& font, std::string_view utf8) {
    int width = 0;
    for (std::size_t at = 0; at < utf8.size();) width += glyphs_.glyph(font, dialog::decode_utf8(utf8, &at)).advance;
    return width;
}

void Typesetter::draw(Canvas& canvas, int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) {
    const std::uint32_t rgb = pixel_of(colour);
    const int baseline = y + glyphs_.metrics(font).ascent;
    std::vector<Placed>& placed = placed_;
    placed.clear();
    int left = canvas.width, top = canvas.height, right = 0, bottom = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Glyph g = glyphs_.glyph(font, dialog::decode_utf8(utf8, &at));
        const Placed p{g, x + g.left, baseline - g.top};
        x += g.advance;
        if (g.width == 0 || g.rows == 0) continue;
        placed.push_back(p);
        left = std::min(left, std::max(p.x, 0));
        top = std::min(top, std::max(p.y, 0));
        right = std::max(right, std::min(p.x + g.width, canvas.width));
        bottom = std::max(bottom, std::min(p.y + g.rows, canvas.height));
    }
    if (left >= right || top >= bottom) return;
    const int width = right - left;
    std::vector<unsigned char>& mask = mask_;
    mask.assign(static_cast<std::size_t>(width * (bottom - top)), 0);
    for (const Placed& p : placed) {
        const Glyph& g = p.glyph;
        for (int row = std::max(0, top - p.y); row < g.rows && p.y + row < bottom; ++row)
            for (int column = std::max(0, left - p.x); column < g.width && p.x + column < right; ++column) {
                unsigned char& m = mask[static_cast<std::size_t>((p.y + row - top) * width + p.x + column - left)];
                m = static_cast<unsigned char>(
                    std::min(255, m + g.coverage[static_cast<std::size_t>(row * g.width + column)]));
            }
    }
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px) {
            const std::uint32_t coverage = mask[static_cast<std::size_t>((py - top) * width + px - left)];
            if (coverage == 0) continue;
            std::uint32_t& pixel = canvas.pixels[py * canvas.width + px];
            pixel = blend(pixel, rgb, coverage);
        }
}

}  // namespace canvas
