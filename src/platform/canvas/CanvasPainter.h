// The dialog painter's drawing for backends that paint in memory: fills,
// text and the icon into a canvas, which the backend puts on screen.
#pragma once

#include <algorithm>
#include <string_view>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/Typesetter.h"
#include "platform/dialog/Layout.h"
#include "platform/dialog/Painter.h"

namespace canvas {

using dialog::Rect;

class CanvasPainter : public dialog::Painter {
public:
    // At twice 96 dots per inch and more each of the icon's pixels is drawn
    // as a square of several, so it fills the image control laid out for it
    // without spilling over it.
    CanvasPainter(Typesetter& typesetter, double dpi)
        : typesetter_(typesetter), icon_scale_(std::max(1, static_cast<int>(dpi / dialog::kDefaultDpi))) {}
    CanvasPainter(const CanvasPainter&) = delete;
    CanvasPainter& operator=(const CanvasPainter&) = delete;
    virtual ~CanvasPainter() = default;

    dialog::FontMetrics metrics(const ui::Font& font) override { return typesetter_.metrics(font); }
    int text_width(const ui::Font& font, std::string_view utf8) override {
        return typesetter_.text_width(font, utf8);
    }
    void fill(const Rect& r, Colour colour) override;
    void text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) override {
        typesetter_.draw(canvas_, x, y, font, colour, utf8);
    }
    void icon(int x, int y) override;

protected:
    Canvas canvas_;

private:
    Typesetter& typesetter_;
    int icon_scale_;
};

}  // namespace canvas
