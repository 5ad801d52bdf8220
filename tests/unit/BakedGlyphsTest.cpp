// The glyph table the build makes: the very glyphs FreeType gives here, and
// nothing from it where it does not hold.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/dialog/DialogFont.h"
#include "platform/dialog/Layout.h"
#include "platform/fonts/BakedGlyphs.h"
#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/fonts/LeanFiles.h"
#include "umbrafold-glyphs.h"
#include "windows/frmWindowControls.h"

namespace {

// Counts what the table could not answer.
class CountingSource final : public canvas::GlyphSource {
public:
    explicit CountingSource(double dpi) : freetype(dpi) {}
    dialog::FontMetrics metrics(const ui::Font& font) override {
        ++asked;
        return freetype.metrics(font);
    }
    canvas::Glyph glyph(const ui::Font& font, char32_t c) override {
        ++asked;
        return freetype.glyph(font, c);
    }
    fonts::FreeTypeGlyphs freetype;
    int asked = 0;
};

bool Same(const canvas::Glyph& a, const canvas::Glyph& b) {
    if (a.width != b.width || a.rows != b.rows || a.left != b.left || a.top != b.top || a.advance != b.advance)
        return false;
    const auto size = static_cast<std::size_t>(a.width * a.rows);
    return size == 0 || std::memcmp(a.coverage, b.coverage, size) == 0;  // a blank glyph may have no bitmap
}

class BakedGlyphsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fonts::baked::kFonts[0].face) GTEST_SKIP() << "the build found no dialog fonts to make a table from";
    }
    // The programs keep fontconfig's set-up to the end; a test gives it
    // back, so that the leak checker sees only what the code under test
    // would lose.
    static void TearDownTestSuite() { FcFini(); }
};

TEST_F(BakedGlyphsTest, EveryControlsFontIsInTheTableAsFreeTypeDrawsIt) {
    CountingSource freetype(dialog::kDefaultDpi);
    fonts::BakedGlyphs baked = fonts::built_glyphs(dialog::kDefaultDpi, [&]() -> canvas::GlyphSource& { return freetype; });
    ASSERT_TRUE(baked.usable());
    for (const ui::ControlDesc& desc : frmWindowControls::kControls) {
        const ui::Font font = dialog::resolve_font(desc.font);
        const dialog::FontMetrics metrics = baked.metrics(font);
        const int before = freetype.asked;
        const dialog::FontMetrics truth = freetype.freetype.metrics(font);
        EXPECT_EQ(metrics.ascent, truth.ascent) << desc.name;
        EXPECT_EQ(metrics.descent, truth.descent) << desc.name;
        for (char32_t c = fonts::kFirstBaked; c <= fonts::kLastBaked; ++c)
            EXPECT_TRUE(Same(baked.glyph(font, c), freetype.freetype.glyph(font, c)))
                << desc.name << ": '" << static_cast<char>(c) << "'";
        EXPECT_EQ(freetype.asked, before) << desc.name << ": the table sent it to FreeType";
    }
}

TEST_F(BakedGlyphsTest, WhatTheTableLacksComesFromTheFallback) {
    CountingSource freetype(dialog::kDefaultDpi);
    fonts::BakedGlyphs baked = fonts::built_glyphs(dialog::kDefaultDpi, [&]() -> canvas::GlyphSource& { return freetype; });
    const ui::Font dialog_font = dialog::resolve_font({});
    EXPECT_TRUE(Same(baked.glyph(dialog_font, U'\u00E9'), freetype.freetype.glyph(dialog_font, U'\u00E9')));
    EXPECT_EQ(freetype.asked, 1);
    const ui::Font other{"Arial", 11, false};
    baked.metrics(other);
    baked.glyph(other, U'a');
    EXPECT_EQ(freetype.asked, 3);
}

TEST_F(BakedGlyphsTest, AnotherResolutionTakesNothingFromTheTable) {
    CountingSource freetype(144);
    fonts::BakedGlyphs baked = fonts::built_glyphs(144, [&]() -> canvas::GlyphSource& { return freetype; });
    EXPECT_FALSE(baked.usable());
    const ui::Font dialog_font = dialog::resolve_font({});
    EXPECT_TRUE(Same(baked.glyph(dialog_font, U'W'), freetype.freetype.glyph(dialog_font, U'W')));
    EXPECT_EQ(freetype.asked, 1);
}

TEST_F(BakedGlyphsTest, OtherFontFilesTakeNothingFromTheTable) {
    // The same table, said to come from a file of another length.
    fonts::BakedFont changed[2] = {fonts::baked::kFonts[0], {}};
    changed[0].file_size += 1;
    CountingSource freetype(fonts::baked::kDpi);
    fonts::BakedGlyphs baked(changed, fonts::baked::kCoverage, fonts::baked::kDpi, fonts::baked::kDpi,
                             [&]() -> canvas::GlyphSource& { return freetype; });
    EXPECT_FALSE(baked.usable());
    // And from a file the lean set-up would not pick.
    changed[0] = fonts::baked::kFonts[0];
    changed[0].file = "/usr/share/fonts/elsewhere.ttf";
    fonts::BakedGlyphs moved(changed, fonts::baked::kCoverage, fonts::baked::kDpi, fonts::baked::kDpi,
                             [&]() -> canvas::GlyphSource& { return freetype; });
    EXPECT_FALSE(moved.usable());
    // As it was made, it holds.
    changed[0] = fonts::baked::kFonts[0];
    fonts::BakedGlyphs same(changed, fonts::baked::kCoverage, fonts::baked::kDpi, fonts::baked::kDpi,
                            [&]() -> canvas::GlyphSource& { return freetype; });
    EXPECT_TRUE(same.usable());
}

}  // namespace
