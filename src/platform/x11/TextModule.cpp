// umbrafold-text.so: FreeType's glyphs for what the build's table cannot
// draw (Modules.h).
#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/x11/Modules.h"

extern "C" __attribute__((visibility("default"))) canvas::GlyphSource* umbrafold_open_glyphs(double dpi) {
    return fonts::open_freetype_glyphs(dpi);
}
