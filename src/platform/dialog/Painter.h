// What the classic look is drawn with: a backend gives the dialog painter
// rectangles, text and the program icon, and puts the result on screen.
#pragma once

#include <string_view>

#include "platform/dialog/Rect.h"
#include "platform/ui.h"

namespace dialog {

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int height() const { return ascent + descent; }
};

class Painter {
public:
    // Fonts arrive resolved: face and size are always given.
    virtual FontMetrics metrics(const ui::Font& font) = 0;
    // The advance of the text, measured as text() would draw it.
    virtual int text_width(const ui::Font& font, std::string_view utf8) = 0;

    virtual void fill(const Rect& r, Colour colour) = 0;
    // Text with the top-left corner of its line at x, y.
    virtual void text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) = 0;
    // The program icon, 32 pixels square, top-left at x, y.
    virtual void icon(int x, int y) = 0;
    // What was drawn since the last call reaches the screen.
    virtual void present(const Rect& r) = 0;

protected:
    ~Painter() = default;
};

}  // namespace dialog
