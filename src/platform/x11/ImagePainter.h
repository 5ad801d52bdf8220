// The dialog painter's drawing on X11: the dialog is painted in memory and
// reaches its window as one image, so no paint ever shows half done and
// the server keeps no buffer of ours.
#pragma once

#include <cstdint>
#include <vector>

#include <xcb/xcb.h>

#include "platform/canvas/CanvasPainter.h"

namespace x11 {

using dialog::Rect;

class ImagePainter final : public canvas::CanvasPainter {
public:
    ImagePainter(canvas::Typesetter& typesetter, double dpi) : CanvasPainter(typesetter, dpi) {}
    ~ImagePainter() override;

    // The screen's pixel value for a colour given as 0x00RRGGBB.
    static std::uint32_t pixel(std::uint32_t rgb);

    // Paints from now on for the window, width x height.
    void fit(xcb_window_t target, int width, int height);
    void present(const Rect& r) override;

private:
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint8_t> image_;  // the part being sent, in the screen's format
    xcb_window_t target_ = 0;
    xcb_gcontext_t gc_ = 0;
};

}  // namespace x11
