// The font of the controls whose description names none.
#pragma once

#include "platform/ui.h"

namespace dialog {

// A control's font with the dialog font filled in where it names none:
// the dialog font of the platform the dialog was designed on, for which
// Arial at 8 points is the closest common match.
inline ui::Font resolve_font(const ui::Font& font) {
    if (font.face) return font;
    return {"Arial", 8, font.bold};
}

}  // namespace dialog
