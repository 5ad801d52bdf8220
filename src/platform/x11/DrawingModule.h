// The pointer shapes, and the glyphs the build's table lacks, come from a
// module of its own (umbrafold-draw.so): FreeType, fontconfig and the cursor
// theme's libraries would be most of the dynamic loader's work at start-up,
// and the lock needs none of them. The program finds the module before it
// locks and loads it once it holds keyboard, pointer and cover.
#pragma once

#include <xcb/xcb.h>

#include "platform/canvas/GlyphTypesetter.h"

namespace x11 {

class DrawingModule {
public:
    // FreeType's glyphs, at the dots per inch the module was opened with.
    virtual canvas::GlyphSource& glyphs() = 0;
    // A pointer shape of the user's cursor theme by its name, else of the
    // core cursor font; named, so tools that show the pointer can tell it.
    virtual xcb_cursor_t cursor(const char* name) = 0;

protected:
    ~DrawingModule() = default;
};

// The module's one entry point; the connection outlives the module.
using OpenDrawingModule = DrawingModule* (*)(xcb_connection_t* c, const xcb_screen_t* screen, double dpi);
inline constexpr const char* kOpenDrawingModule = "umbrafold_open_drawing_module";

// Ends the program (status 1, nothing shown) where the module is missing.
void find_drawing_module();
// Loads the module on first use; ends the program where it will not load.
DrawingModule& drawing_module();

}  // namespace x11
