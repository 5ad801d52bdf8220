// The dialog painter's drawing on Wayland: fills, text and the icon into a
// shared-memory buffer, attached to the dialog's surface in one commit.
#pragma once

#include <string_view>

#include <wayland-client.h>

#include "platform/dialog/Painter.h"
#include "platform/wayland/Buffers.h"
#include "platform/wayland/FontPainter.h"

namespace wl {

using dialog::Rect;

class ShmPainter final : public dialog::Painter {
public:
    explicit ShmPainter(double dpi) : fonts_(dpi), icon_scale_(dpi >= 144 ? static_cast<int>(dpi / 96 + 0.5) : 1) {}

    // Starts a frame of width x height for the surface, a subsurface of
    // parent.
    void begin(wl_surface* surface, wl_surface* parent, int width, int height);

    dialog::FontMetrics metrics(const ui::Font& font) override { return fonts_.metrics(font); }
    int text_width(const ui::Font& font, std::string_view utf8) override { return fonts_.text_width(font, utf8); }
    void fill(const Rect& r, Colour colour) override;
    void text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) override;
    void icon(int x, int y) override;
    void present(const Rect& r) override;

private:
    FontPainter fonts_;
    int icon_scale_;  // the icon's pixels are this many across on a scaled output
    BufferPool pool_;
    Buffer* buffer_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_surface* parent_ = nullptr;
    Canvas canvas_;
};

}  // namespace wl
