// The dialog's text: faces found through fontconfig as the X11 backend
// finds them, glyphs rasterised by FreeType with the same hinting and
// antialiasing, so the two draw the same pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/dialog/Painter.h"

namespace wl {

// Pixels to draw into: XRGB, row after row.
struct Canvas {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

class FontPainter {
public:
    explicit FontPainter(double dpi) : dpi_(dpi) {}

    dialog::FontMetrics metrics(const ui::Font& font);
    int text_width(const ui::Font& font, std::string_view utf8);
    // Text with the top-left corner of its line at x, y; colour is 0x00BBGGRR.
    void text(Canvas& canvas, int x, int y, const ui::Font& font, Colour colour, std::string_view utf8);

private:
    double dpi_;
};

}  // namespace wl
