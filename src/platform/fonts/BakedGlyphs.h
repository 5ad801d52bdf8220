// The dialog's glyphs as the build made them: at the resolution it was made
// for, from the very font files it read, the dialog is drawn without a font
// library. Any other resolution, font file or character comes from the
// fallback, asked for on first need.
#pragma once

#include <functional>

#include "platform/canvas/Typesetter.h"
#include "platform/fonts/BakedFont.h"

namespace fonts {

class BakedGlyphs final : public canvas::GlyphSource {
public:
    using Fallback = std::function<canvas::GlyphSource&()>;

    // table: ended by an entry without a face; made for table_dpi.
    BakedGlyphs(const BakedFont* table, const unsigned char* coverage, double table_dpi, double dpi,
                Fallback fallback);

    dialog::FontMetrics metrics(const ui::Font& font) override;
    canvas::Glyph glyph(const ui::Font& font, char32_t c) override;

    // Whether the table serves at all here.
    bool usable() const { return usable_; }

private:
    const BakedFont* find(const ui::Font& font) const;

    const BakedFont* table_;
    const unsigned char* coverage_;
    bool usable_;
    Fallback fallback_;
};

// The table this build made, for the program's own use.
BakedGlyphs built_glyphs(double dpi, BakedGlyphs::Fallback fallback);

}  // namespace fonts
