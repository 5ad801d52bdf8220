// Twips to pixels: the dialog's sizes are given in twips, 1440 to the inch.
#pragma once

#include <cmath>

namespace x11 {

inline constexpr double kDefaultDpi = 96.0;

// Rounded to the nearest pixel, so at 96 dpi every multiple of 15 twips is
// exact and the dialog keeps its designed proportions.
inline int TwipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

}  // namespace x11
