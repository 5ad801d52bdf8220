// Serving glyphs from the build's table, checked against the files here.
#include "platform/fonts/BakedGlyphs.h"

#include <cstring>
#include <sys/stat.h>
#include <utility>

#include "platform/fonts/LeanFiles.h"
#include "umbrafold-glyphs.h"

namespace fonts {
namespace {

// The table holds only where the files the lean set-up picks now are the
// ones it was made from, the same length.
bool files_match(const BakedFont* table) {
    if (!table->face) return false;
    const FontFiles files = lean_font_files();
    if (!files) return false;
    for (const BakedFont* f = table; f->face; ++f) {
        const char* now = f->bold ? files.bold : files.regular;
        struct stat st{};
        if (std::strcmp(now, f->file) != 0 || stat(now, &st) != 0 || st.st_size != f->file_size) return false;
    }
    return true;
}

}  // namespace

BakedGlyphs::BakedGlyphs(const BakedFont* table, const unsigned char* coverage, double table_dpi, double dpi,
                         Fallback fallback)
    : table_(table), coverage_(coverage), usable_(dpi == table_dpi && files_match(table)),
      fallback_(std::move(fallback)) {}

const BakedFont* BakedGlyphs::find(const ui::Font& font) const {
    if (!usable_) return nullptr;
    for (const BakedFont* f = table_; f->face; ++f)
        if (std::strcmp(f->face, font.face) == 0 && f->points == font.points && f->bold == font.bold) return f;
    return nullptr;
}

dialog::FontMetrics BakedGlyphs::metrics(const ui::Font& font) {
    if (const BakedFont* f = find(font)) return {f->ascent, f->descent};
    return fallback_().metrics(font);
}

canvas::Glyph BakedGlyphs::glyph(const ui::Font& font, char32_t c) {
    const BakedFont* f = find(font);
    if (!f || c < kFirstBaked || c > kLastBaked) return fallback_().glyph(font, c);
    const BakedGlyph& g = f->glyphs[c - kFirstBaked];
    return {coverage_ + g.offset, g.width, g.rows, g.left, g.top, g.advance};
}

BakedGlyphs built_glyphs(double dpi, BakedGlyphs::Fallback fallback) {
    return BakedGlyphs(baked::kFonts, baked::kCoverage, baked::kDpi, dpi, std::move(fallback));
}

}  // namespace fonts
