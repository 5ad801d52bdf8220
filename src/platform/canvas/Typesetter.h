// Where a canvas gets its text from: fonts measured and drawn through one
// path, so what is measured is what is drawn.
#pragma once

#include <string_view>

#include "platform/canvas/Canvas.h"
#include "platform/dialog/Painter.h"

namespace canvas {

class Typesetter {
public:
    virtual ~Typesetter() = default;
    virtual dialog::FontMetrics metrics(const ui::Font& font) = 0;
    virtual int text_width(const ui::Font& font, std::string_view utf8) = 0;
    // Text with the top-left corner of its line at x, y; colour is 0x00BBGGRR.
    virtual void draw(Canvas& canvas, int x, int y, const ui::Font& font, Colour colour,
                      std::string_view utf8) = 0;
};

}  // namespace canvas
