// System colours as the classic palette draws them.
#include "platform/dialog/Palette.h"

namespace dialog {

Colour resolve_colour(Colour colour, Colour fallback) {
    if (colour == ui::kDefaultColour) return fallback;
    if (colour & ui::kSystemColour) {
        switch (ui::system_colour_index(colour)) {
        case ui::kWindowColour: return kWindowBack;
        case ui::kWindowTextColour: return kWindowText;
        case ui::kButtonFaceColour: return kFace;
        case ui::kButtonShadowColour: return kShadow;
        case ui::kButtonTextColour: return kWindowText;
        default: return fallback;
        }
    }
    return colour;
}

}  // namespace dialog
