// Pictures of outputs, and what the tests read off them.
#pragma once

#include <string>
#include <vector>

#include "x_client.h"

namespace wayland {

using e2e::Rect;
using e2e::Rgb;

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;

    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool Empty() const { return pixels.empty(); }
    // The dialog, found by its frame: a light top and left edge, black
    // bottom and right; empty (w == 0) where there is none.
    Rect FindDialog() const;
    // How many pixels have exactly this colour.
    int Count(Rgb colour) const;
    // The part inside r.
    Image Crop(const Rect& r) const;
};

// Reads a binary PPM (P6) file; an empty image when it cannot.
Image ReadPpm(const std::string& path);
bool WritePpm(const std::string& path, const Image& image);

}  // namespace wayland
