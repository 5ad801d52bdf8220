// FreeType glyphs, loaded as Xft loads them.
#include "platform/fonts/FreeTypeGlyphs.h"

#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/fonts/LeanConfig.h"
#include "platform/posix/Fatal.h"

namespace fonts {
namespace {

struct Rendered {
    std::vector<unsigned char> coverage;
    canvas::Glyph glyph;
};

struct Face {
    const char* family = nullptr;
    double points = 0;
    bool bold = false;
    double dpi = 0;
    FT_Face face = nullptr;
    FT_Int32 load_flags = FT_LOAD_DEFAULT;
    int ascent = 0, descent = 0;
    std::string file;
    std::unordered_map<char32_t, Rendered> glyphs;  // nodes stay put: the bitmaps handed out do
};

FT_Library library() {
    static FT_Library ft = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) posix::fatal("cannot open any font", "FreeType does not start");
        return made;
    }();
    return ft;
}

bool flag(FcPattern* pattern, const char* name, bool fallback) {
    FcBool value = fallback;
    FcPatternGetBool(pattern, name, 0, &value);
    return value != FcFalse;
}

int integer(FcPattern* pattern, const char* name, int fallback) {
    int value = fallback;
    FcPatternGetInteger(pattern, name, 0, &value);
    return value;
}

// The load flags Xft derives from the same match: light hinting for the
// slight style, full hinting otherwise, none where hinting is off.
FT_Int32 load_flags_of(FcPattern* match) {
    FT_Int32 flags = FT_LOAD_DEFAULT;
    const bool antialias = flag(match, FC_ANTIALIAS, true);
    const int style = integer(match, FC_HINT_STYLE, FC_HINT_FULL);
    if (!antialias)
        flags |= FT_LOAD_TARGET_MONO;
    else if (style > FC_HINT_NONE && style < FC_HINT_FULL)
        flags |= FT_LOAD_TARGET_LIGHT;
    else
        flags |= FT_LOAD_TARGET_NORMAL;
    if (!flag(match, FC_HINTING, true) || style == FC_HINT_NONE) flags |= FT_LOAD_NO_HINTING;
    if (flag(match, FC_AUTOHINT, false)) flags |= FT_LOAD_FORCE_AUTOHINT;
    return flags;
}

void open(Face& f) {
    static const bool lean = fonts::use_lean_font_config();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(f.family));
    FcPatternAddDouble(pattern, FC_SIZE, f.points);
    FcPatternAddDouble(pattern, FC_DPI, f.dpi);
    FcPatternAddInteger(pattern, FC_WEIGHT, f.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
    if (lean) {
        // What Debian's default configuration would have added.
        FcPatternAddInteger(pattern, FC_HINT_STYLE, FC_HINT_SLIGHT);
        FcPatternAddInteger(pattern, FC_LCD_FILTER, FC_LCD_DEFAULT);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch)
        posix::fatal("cannot open any font", "fontconfig matches none");
    double pixels = f.points * f.dpi / 72.0;
    FcPatternGetDouble(match, FC_PIXEL_SIZE, 0, &pixels);
    f.file = reinterpret_cast<const char*>(file);
    if (FT_New_Face(library(), f.file.c_str(), integer(match, FC_INDEX, 0), &f.face) != 0)
        posix::fatal("cannot open any font", "FreeType cannot read the matched file");
    f.load_flags = load_flags_of(match);
    FcPatternDestroy(match);
    const FT_F26Dot6 size = static_cast<FT_F26Dot6>(pixels * 64.0);
    FT_Set_Char_Size(f.face, size, size, 0, 0);
    f.ascent = static_cast<int>(f.face->size->metrics.ascender >> 6);
    f.descent = static_cast<int>(-(f.face->size->metrics.descender >> 6));
}

// Faces are opened on first use and kept for the life of the program.
Face& face_for(const ui::Font& font, double dpi) {
    static std::vector<std::unique_ptr<Face>> faces;
    for (auto& f : faces)
        if (std::strcmp(f->family, font.face) == 0 && f->points == font.points && f->bold == font.bold &&
            f->dpi == dpi)
            return *f;
    auto face = std::make_unique<Face>();
    face->family = font.face;
    face->points = font.points;
    face->bold = font.bold;
    face->dpi = dpi;
    faces.push_back(std::move(face));
    open(*faces.back());
    return *faces.back();
}

const canvas::Glyph& glyph_of(Face& f, char32_t c) {
    auto found = f.glyphs.find(c);
    if (found != f.glyphs.end()) return found->second.glyph;
    Rendered& r = f.glyphs[c];
    canvas::Glyph& g = r.glyph;
    const FT_UInt index = FT_Get_Char_Index(f.face, c);
    if (FT_Load_Glyph(f.face, index, f.load_flags) != 0) return g;
    FT_GlyphSlot slot = f.face->glyph;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const bool mono = (f.load_flags & FT_LOAD_TARGET_MONO) == FT_LOAD_TARGET_MONO;
    if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return g;
    const FT_Bitmap& bitmap = slot->bitmap;
    g.width = static_cast<int>(bitmap.width);
    g.rows = static_cast<int>(bitmap.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    r.coverage.resize(static_cast<std::size_t>(g.width * g.rows));
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
        for (int x = 0; x < g.width; ++x) {
            const bool on = mono ? (row[x >> 3] >> (7 - (x & 7))) & 1 : false;
            r.coverage[static_cast<std::size_t>(y * g.width + x)] = mono ? (on ? 255 : 0) : row[x];
        }
    }
    g.coverage = r.coverage.data();
    return g;
}

}  // namespace

dialog::FontMetrics FreeTypeGlyphs::metrics(const ui::Font& font) {
    const Face& f = face_for(font, dpi_);
    return {f.ascent, f.descent};
}

canvas::Glyph FreeTypeGlyphs::glyph(const ui::Font& font, char32_t c) { return glyph_of(face_for(font, dpi_), c); }

const char* FreeTypeGlyphs::file_of(const ui::Font& font, double dpi) { return face_for(font, dpi).file.c_str(); }

canvas::GlyphSource* open_freetype_glyphs(double dpi) { return new FreeTypeGlyphs(dpi); }

}  // namespace fonts
