// The lock window's controls: text, geometry in twips, colours, fonts and
// tab order, read by every backend.
#pragma once

#include <cstddef>

#include "platform/ui.h"

namespace frmWindowControls {

// Indexes into kControls.
enum : int {
    lblUmbrafold,
    Label1,
    Label3,
    txtPass,
    cmdLock,
    cmdExit,
    lblLocked,
    About,
    Image1,
    Label4,
    Label6,
    Label5,
    kCount
};

extern const ui::ControlDesc kControls[kCount];
extern const ui::WindowDesc kWindow;

inline constexpr int kCompactHeight = 1455;   // outer height, twips
inline constexpr int kExpandedHeight = 2745;  // outer height with About shown
inline constexpr Colour kNoPasswordColour = 0x0000FFFF;  // yellow

}  // namespace frmWindowControls
