// Glyphs of the dialog's fonts: faces found through fontconfig, rasterised
// by FreeType with the hinting and antialiasing Xft would use for the same
// match, so text set from them draws what Xft draws.
#pragma once

#include "platform/canvas/Typesetter.h"

namespace fonts {

class FreeTypeGlyphs final : public canvas::GlyphSource {
public:
    explicit FreeTypeGlyphs(double dpi) : dpi_(dpi) {}

    dialog::FontMetrics metrics(const ui::Font& font) override;
    canvas::Glyph glyph(const ui::Font& font, char32_t c) override;

    // The file fontconfig matches for the font.
    static const char* file_of(const ui::Font& font, double dpi);

private:
    double dpi_;
};

// A fallback for the dialog's text (DialogText.h), for whoever links FreeType.
canvas::GlyphSource* open_freetype_glyphs(double dpi);

}  // namespace fonts
