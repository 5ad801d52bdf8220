// Pixels in memory that a self-drawn dialog is painted into before a
// backend puts them on screen.
#pragma once

#include <cstdint>

#include "lock/LockView.h"

namespace canvas {

// A colour as the windows above give it, 0x00BBGGRR, as a canvas pixel.
inline constexpr std::uint32_t pixel_of(Colour colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// 0x00RRGGBB, row after row, width pixels a row.
struct Canvas {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

}  // namespace canvas
