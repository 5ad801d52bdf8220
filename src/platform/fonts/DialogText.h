// The dialog's text, the same on every backend that draws its own: the
// build's glyphs first, and a fallback's for what they lack, opened on
// first need, all set by one typesetter.
#pragma once

#include <memory>

#include "platform/canvas/Typesetter.h"
#include "platform/fonts/BakedGlyphs.h"

namespace fonts {

// Opens the fallback's glyphs at dpi: FreeType's, linked in or loaded.
using OpenGlyphs = canvas::GlyphSource* (*)(double dpi);

class DialogText {
public:
    DialogText(double dpi, OpenGlyphs open_fallback);
    DialogText(const DialogText&) = delete;
    DialogText& operator=(const DialogText&) = delete;

    canvas::Typesetter& typesetter() { return typesetter_; }

private:
    canvas::GlyphSource& fallback();

    double dpi_;
    OpenGlyphs open_fallback_;
    std::unique_ptr<canvas::GlyphSource> fallback_;
    BakedGlyphs glyphs_;
    canvas::Typesetter typesetter_;
};

}  // namespace fonts
