// The dialog painter's drawing on X11: Xlib rectangles and Xft text into a
// back buffer, which reaches the window in one copy. Built into the drawing
// module only (BackBuffer.h).
#pragma once

#include <string_view>

#include <X11/Xlib.h>
#include <X11/Xft/Xft.h>

#include "platform/x11/BackBuffer.h"

namespace x11 {

class BufferPainter final : public BackBuffer {
public:
    explicit BufferPainter(const Connection& x) : x_(x) {}
    BufferPainter(const BufferPainter&) = delete;
    BufferPainter& operator=(const BufferPainter&) = delete;
    ~BufferPainter() override;

    void fit(::Window target, int width, int height) override;

    dialog::FontMetrics metrics(const ui::Font& font) override;
    int text_width(const ui::Font& font, std::string_view utf8) override;
    void fill(const Rect& r, Colour colour) override;
    void text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) override;
    void icon(int x, int y) override;
    void present(const Rect& r) override;

private:
    XftColor* resolve(Colour colour);
    XftFont* open_font(const ui::Font& font);
    const Connection& x_;
    GC gc_ = nullptr;
    ::Window target_ = 0;
    Pixmap buffer_ = 0;
    XftDraw* draw_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace x11
