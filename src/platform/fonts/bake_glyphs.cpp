// bake_glyphs OUTPUT.h: the build's table of the dialog's glyphs at 96 dots
// per inch, rasterised exactly as the program would rasterise them here
// (FreeTypeGlyphs, with the lean fontconfig set-up), for each font the lock
// window's controls use, with the font file each came from. Where the lean
// set-up does not apply (its fonts are not installed) the table is empty,
// and the program sets its text through FreeType as before.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/dialog/DialogFont.h"
#include "platform/dialog/Layout.h"
#include "platform/fonts/BakedFont.h"
#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/fonts/LeanConfig.h"
#include "windows/frmWindowControls.h"

namespace {

constexpr double kDpi = dialog::kDefaultDpi;

// The fonts the controls are drawn in, each once.
std::vector<ui::Font> dialog_fonts() {
    std::vector<ui::Font> fonts;
    for (const ui::ControlDesc& desc : frmWindowControls::kControls) {
        const ui::Font font = dialog::resolve_font(desc.font);
        bool known = false;
        for (const ui::Font& f : fonts)
            known = known || (std::string(f.face) == font.face && f.points == font.points && f.bold == font.bold);
        if (!known) fonts.push_back(font);
    }
    return fonts;
}

// Exactly, so the program's font sizes compare equal to it.
std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string c_string(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        if (*p == '"' || *p == '\\') out += '\\';
        out += *p;
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bake_glyphs OUTPUT.h\n");
        return 2;
    }
    std::string header =
        "// Made by bake_glyphs at build time from the dialog's fonts; do not edit.\n"
        "#pragma once\n\n"
        "#include \"platform/fonts/BakedFont.h\"\n\n"
        "namespace fonts::baked {\n\n"
        "inline constexpr double kDpi = " + std::to_string(static_cast<int>(kDpi)) + ";\n";
    std::vector<unsigned char> coverage;
    std::string glyph_tables, font_table;
    if (fonts::use_lean_font_config()) {
        fonts::FreeTypeGlyphs source(kDpi);
        int index = 0;
        for (const ui::Font& font : dialog_fonts()) {
            const std::string name = "kGlyphs" + std::to_string(index++);
            glyph_tables += "\ninline constexpr BakedGlyph " + name + "[] = {\n";
            for (char32_t c = fonts::kFirstBaked; c <= fonts::kLastBaked; ++c) {
                const canvas::Glyph g = source.glyph(font, c);
                glyph_tables += "    {" + std::to_string(coverage.size()) + ", " + std::to_string(g.width) + ", " +
                                std::to_string(g.rows) + ", " + std::to_string(g.left) + ", " + std::to_string(g.top) +
                                ", " + std::to_string(g.advance) + "},\n";
                coverage.insert(coverage.end(), g.coverage, g.coverage + g.width * g.rows);
            }
            glyph_tables += "};\n";
            const dialog::FontMetrics m = source.metrics(font);
            const char* file = fonts::FreeTypeGlyphs::file_of(font, kDpi);
            struct stat st{};
            if (stat(file, &st) != 0) {
                std::fprintf(stderr, "bake_glyphs: cannot read %s\n", file);
                return 1;
            }
            font_table += "    {" + c_string(font.face) + ", " + number(font.points) + ", " +
                          (font.bold ? "true" : "false") + ", " + std::to_string(m.ascent) + ", " +
                          std::to_string(m.descent) + ", " + c_string(file) + ", " + std::to_string(st.st_size) +
                          ", " + name + "},\n";
        }
    }
    header += "\ninline constexpr unsigned char kCoverage[] = {";
    for (std::size_t i = 0; i < coverage.size(); ++i)
        header += (i % 24 == 0 ? "\n    " : " ") + std::to_string(coverage[i]) + ",";
    if (coverage.empty()) header += "0";
    header += "\n};\n" + glyph_tables + "\ninline constexpr BakedFont kFonts[] = {\n" + font_table +
              "    {nullptr, 0, false, 0, 0, nullptr, 0, nullptr},\n};\n\n}  // namespace fonts::baked\n";
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out || std::fwrite(header.data(), 1, header.size(), out) != header.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "bake_glyphs: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
