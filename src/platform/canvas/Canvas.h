// Pixels in memory that a self-drawn dialog is painted into before a
// backend puts them on screen.
#pragma once

#include <cstdint>

namespace canvas {

// 0x00RRGGBB, row after row, width pixels a row.
struct Canvas {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

}  // namespace canvas
