// The dialog painter's drawing on X11: Xlib rectangles and Xft text into a
// back buffer, which reaches the window in one copy.
#pragma once

#include <string_view>

#include <X11/Xlib.h>
#include <X11/Xft/Xft.h>

#include "platform/dialog/Painter.h"
#include "platform/x11/Display.h"

namespace x11 {

class BufferPainter final : public dialog::Painter {
public:
    BufferPainter() = default;
    BufferPainter(const BufferPainter&) = delete;
    BufferPainter& operator=(const BufferPainter&) = delete;
    ~BufferPainter();

    // Makes sure the back buffer covers width x height of the window.
    void fit(::Window target, int width, int height);

    dialog::FontMetrics metrics(const ui::Font& font) override;
    int text_width(const ui::Font& font, std::string_view utf8) override;
    void fill(const Rect& r, Colour colour) override;
    void text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) override;
    void icon(int x, int y) override;
    void present(const Rect& r) override;

private:
    XftColor* resolve(Colour colour);
    GC gc_ = nullptr;
    ::Window target_ = 0;
    Pixmap buffer_ = 0;
    XftDraw* draw_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace x11
