// FreeType glyphs, loaded and blended as Xft loads and blends them.
#include "platform/fonts/FreeTypeSetter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/dialog/Utf8.h"
#include "platform/fonts/LeanConfig.h"
#include "platform/posix/Fatal.h"

namespace fonts {
namespace {

struct Glyph {
    std::vector<unsigned char> coverage;  // one byte per pixel, 0 to 255
    int width = 0, rows = 0;
    int left = 0, top = 0;  // from the pen on the baseline to the bitmap
    int advance = 0;
};

struct Face {
    const char* family = nullptr;
    double points = 0;
    bool bold = false;
    double dpi = 0;
    FT_Face face = nullptr;
    FT_Int32 load_flags = FT_LOAD_DEFAULT;
    int ascent = 0, descent = 0;
    std::unordered_map<char32_t, Glyph> glyphs;
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
    if (FT_New_Face(library(), reinterpret_cast<const char*>(file), integer(match, FC_INDEX, 0), &f.face) != 0)
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

const Glyph& glyph_of(Face& f, char32_t c) {
    auto found = f.glyphs.find(c);
    if (found != f.glyphs.end()) return found->second;
    Glyph& g = f.glyphs[c];
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
    g.coverage.resize(static_cast<std::size_t>(g.width * g.rows));
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
        for (int x = 0; x < g.width; ++x) {
            const bool on = mono ? (row[x >> 3] >> (7 - (x & 7))) & 1 : false;
            g.coverage[static_cast<std::size_t>(y * g.width + x)] = mono ? (on ? 255 : 0) : row[x];
        }
    }
    return g;
}

// a * b / 255, rounded as the X server's compositing rounds it.
std::uint32_t times(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t t = a * b + 0x80;
    return ((t >> 8) + t) >> 8;
}

std::uint32_t blend(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        out |= (times(b, coverage) + times(a, 255 - coverage)) << shift;
    }
    return out;
}

}  // namespace

dialog::FontMetrics FreeTypeSetter::metrics(const ui::Font& font) {
    const Face& f = face_for(font, dpi_);
    return {f.ascent, f.descent};
}

int FreeTypeSetter::text_width(const ui::Font& font, std::string_view utf8) {
    Face& f = face_for(font, dpi_);
    int width = 0;
    for (std::size_t at = 0; at < utf8.size();) width += glyph_of(f, dialog::decode_utf8(utf8, &at)).advance;
    return width;
}

// As a RENDER client draws a string with a mask format: the glyphs'
// coverage is added up first, so where two glyphs overlap their edges sum,
// and the sum is blended once.
void FreeTypeSetter::draw(canvas::Canvas& canvas, int x, int y, const ui::Font& font, Colour colour,
                          std::string_view utf8) {
    Face& f = face_for(font, dpi_);
    const std::uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    const int baseline = y + f.ascent;
    struct Placed {
        const Glyph* glyph;
        int x, y;  // the bitmap's top-left corner on the canvas
    };
    std::vector<Placed> placed;
    int left = canvas.width, top = canvas.height, right = 0, bottom = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Glyph& g = glyph_of(f, dialog::decode_utf8(utf8, &at));
        const Placed p{&g, x + g.left, baseline - g.top};
        x += g.advance;
        if (g.width == 0 || g.rows == 0) continue;
        placed.push_back(p);
        left = std::min(left, std::max(p.x, 0));
        top = std::min(top, std::max(p.y, 0));
        right = std::max(right, std::min(p.x + g.width, canvas.width));
        bottom = std::max(bottom, std::min(p.y + g.rows, canvas.height));
    }
    if (left >= right || top >= bottom) return;
    const int width = right - left;
    std::vector<unsigned char> mask(static_cast<std::size_t>(width * (bottom - top)));
    for (const Placed& p : placed) {
        const Glyph& g = *p.glyph;
        for (int row = std::max(0, top - p.y); row < g.rows && p.y + row < bottom; ++row)
            for (int column = std::max(0, left - p.x); column < g.width && p.x + column < right; ++column) {
                unsigned char& m = mask[static_cast<std::size_t>((p.y + row - top) * width + p.x + column - left)];
                m = static_cast<unsigned char>(
                    std::min(255, m + g.coverage[static_cast<std::size_t>(row * g.width + column)]));
            }
    }
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px) {
            const std::uint32_t coverage = mask[static_cast<std::size_t>((py - top) * width + px - left)];
            if (coverage == 0) continue;
            std::uint32_t& pixel = canvas.pixels[py * canvas.width + px];
            pixel = blend(pixel, rgb, coverage);
        }
}

}  // namespace fonts
