// Text set from glyph bitmaps, wherever they come from: a string's glyphs
// are placed by their advances and drawn as a RENDER client draws them with
// a mask format: their coverage is added up first, so where two glyphs
// overlap their edges sum, and the sum is blended once, rounded as the X
// server's compositing rounds it. Fonts are measured and drawn through this
// one path, so what is measured is what is drawn.
#pragma once

#include <string_view>
#include <vector>

#include "platform/canvas/Canvas.h"
#include "platform/dialog/Painter.h"

namespace canvas {

// One glyph's bitmap: one byte of coverage a pixel, 0 to 255, row after
// row; from the pen on the baseline to the bitmap's top-left corner.
struct Glyph {
    const unsigned char* coverage = nullptr;
    int width = 0, rows = 0;
    int left = 0, top = 0;
    int advance = 0;
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    // Fonts arrive resolved: face and size are always given.
    virtual dialog::FontMetrics metrics(const ui::Font& font) = 0;
    // The glyph stays valid as long as the source.
    virtual Glyph glyph(const ui::Font& font, char32_t c) = 0;
};

class Typesetter {
public:
    explicit Typesetter(GlyphSource& glyphs) : glyphs_(glyphs) {}
    Typesetter(const Typesetter&) = delete;
    Typesetter& operator=(const Typesetter&) = delete;

    dialog::FontMetrics metrics(const ui::Font& font) { return glyphs_.metrics(font); }
    int text_width(const ui::Font& font, std::string_view utf8);
    // Text with the top-left corner of its line at x, y.
    void draw(Canvas& canvas, int x, int y, const ui::Font& font, Colour colour, std::string_view utf8);

private:
    struct Placed {
        Glyph glyph;
        int x, y;  // the bitmap's top-left corner on the canvas
    };

    GlyphSource& glyphs_;
    // Kept from one string to the next, so drawing allocates nothing once
    // the longest string has been drawn.
    std::vector<Placed> placed_;
    std::vector<unsigned char> mask_;
};

}  // namespace canvas
