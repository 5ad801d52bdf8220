// What the program loads only once the lock holds, from two modules of its
// own: the pointer shapes (umbrafold-pointer.so, with the cursor theme's
// libraries) and FreeType's glyphs for the text the build's glyph table
// cannot draw (umbrafold-text.so, with FreeType and fontconfig). Loaded
// before the lock, those libraries would be most of the dynamic loader's
// work; loaded together, the font libraries would cost memory wherever the
// table does all the drawing.
#pragma once

#include <xcb/xcb.h>

#include "platform/fonts/DialogText.h"

namespace x11 {

// Ends the program (status 1, nothing shown) where either is missing;
// called before connecting.
void find_modules();

// A pointer shape of the user's cursor theme by its name, else of the core
// cursor font; named, so tools that show the pointer can tell it. None
// where neither has it.
xcb_cursor_t load_pointer(const char* name);

// FreeType's glyphs at dpi, from the text module: the dialog text's
// fallback (fonts::OpenGlyphs).
canvas::GlyphSource* open_freetype_glyphs(double dpi);

// The modules' entry points, one each.
using LoadPointer = xcb_cursor_t (*)(xcb_connection_t* c, xcb_screen_t* screen, const char* name);
inline constexpr const char* kLoadPointer = "umbrafold_load_pointer";
inline constexpr const char* kOpenGlyphs = "umbrafold_open_glyphs";

}  // namespace x11
