// Keyboard and mouse, routed to the dialog's controls as a dialog of the
// classic desktop routes them.
#pragma once

#include <X11/Xlib.h>

#include "platform/ui.h"

namespace x11 {

void HandleKey(XKeyEvent& event);
void HandleButton(const XButtonEvent& event);
// Alt+key: focuses the control after a label, or presses a button.
void HandleAccessKey(ui::Window* window, char key);

}  // namespace x11
