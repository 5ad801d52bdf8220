// The classic dialog palette, and the system colours resolved to it.
#pragma once

#include "platform/ui.h"

namespace dialog {

// 0x00BBGGRR, as every colour the windows above give.
inline constexpr Colour kFace = 0x00C0C0C0;
inline constexpr Colour kHighlight = 0x00FFFFFF;
inline constexpr Colour kLight = 0x00DFDFDF;
inline constexpr Colour kShadow = 0x00808080;
inline constexpr Colour kDarkShadow = 0x00000000;
inline constexpr Colour kWindowText = 0x00000000;
inline constexpr Colour kWindowBack = 0x00FFFFFF;

// Resolves system colours (the top bit set) to the palette above, and the
// default colour to fallback.
Colour resolve_colour(Colour colour, Colour fallback);

}  // namespace dialog
