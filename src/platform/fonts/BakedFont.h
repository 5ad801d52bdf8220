// The shape of the glyph table the build makes (bake_glyphs.cpp): for each
// of the dialog's fonts at one resolution, the glyphs of printable ASCII,
// and the font file they were made from.
#pragma once

namespace fonts {

inline constexpr char32_t kFirstBaked = 0x20, kLastBaked = 0x7E;

struct BakedGlyph {
    unsigned offset;  // of its coverage in the table's bytes
    short width, rows, left, top, advance;
};

struct BakedFont {
    const char* face;  // nullptr ends the table
    double points;
    bool bold;
    int ascent, descent;
    const char* file;  // where its glyphs were made from, and how long it was
    long long file_size;
    const BakedGlyph* glyphs;  // kFirstBaked to kLastBaked
};

}  // namespace fonts
