// The dialog's frame on X11: painted in memory, it reaches its window as
// one image, so no paint ever shows half done and the server keeps no
// buffer of ours.
#pragma once

#include <cstdint>
#include <vector>

#include <xcb/xcb.h>

#include "platform/canvas/Canvas.h"
#include "platform/dialog/Rect.h"

namespace x11 {

using dialog::Rect;

class ImageSurface {
public:
    ImageSurface() = default;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;
    ~ImageSurface();

    // The screen's pixel value for a colour given as 0x00RRGGBB.
    static std::uint32_t pixel(std::uint32_t rgb);

    // The frame for the window, width x height, to paint into.
    canvas::Canvas fit(xcb_window_t target, int width, int height);
    // Sends the area of the frame to the window.
    void present(const Rect& area);

private:
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint8_t> image_;  // the part being sent, in the screen's format
    canvas::Canvas canvas_;
    xcb_window_t target_ = 0;
    xcb_gcontext_t gc_ = 0;
};

}  // namespace x11
