// Putting the dialog's text stack together.
#include "platform/fonts/DialogText.h"

namespace fonts {

DialogText::DialogText(double dpi, OpenGlyphs open_fallback)
    : dpi_(dpi), open_fallback_(open_fallback),
      glyphs_(built_glyphs(dpi, [this]() -> canvas::GlyphSource& { return fallback(); })), typesetter_(glyphs_) {}

canvas::GlyphSource& DialogText::fallback() {
    if (!fallback_) fallback_.reset(open_fallback_(dpi_));
    return *fallback_;
}

}  // namespace fonts
