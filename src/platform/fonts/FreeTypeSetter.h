// The dialog's text on the backends that paint in memory: faces found
// through fontconfig, glyphs rasterised by FreeType with the hinting and
// antialiasing Xft would use for the same match, blended as the X server
// composites them.
#pragma once

#include <string_view>

#include "platform/canvas/Typesetter.h"

namespace fonts {

class FreeTypeSetter final : public canvas::Typesetter {
public:
    explicit FreeTypeSetter(double dpi) : dpi_(dpi) {}

    dialog::FontMetrics metrics(const ui::Font& font) override;
    int text_width(const ui::Font& font, std::string_view utf8) override;
    void draw(canvas::Canvas& canvas, int x, int y, const ui::Font& font, Colour colour,
              std::string_view utf8) override;

private:
    double dpi_;
};

}  // namespace fonts
