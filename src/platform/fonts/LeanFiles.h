// Which two font files the dialog is drawn with where the lean fontconfig
// set-up applies (LeanConfig.h): Arial's, else Liberation Sans's, as both
// faces are installed. Plain file checks, no font library, so the programs
// can ask before any is loaded.
#pragma once

#include <unistd.h>

namespace fonts {

struct FontFiles {
    const char* regular = nullptr;
    const char* bold = nullptr;
    explicit operator bool() const { return regular != nullptr; }
};

// None where neither pair is installed.
inline FontFiles lean_font_files() {
    static const FontFiles kPairs[] = {
        {"/usr/share/fonts/truetype/msttcorefonts/Arial.ttf",
         "/usr/share/fonts/truetype/msttcorefonts/Arial_Bold.ttf"},
        {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
         "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"},
    };
    for (const FontFiles& pair : kPairs)
        if (access(pair.regular, R_OK) == 0 && access(pair.bold, R_OK) == 0) return pair;
    return {};
}

}  // namespace fonts
