// The one painter of the self-drawn dialog.
#pragma once

#include "platform/dialog/Form.h"
#include "platform/dialog/Painter.h"

namespace dialog {

// Draws the whole dialog in the classic look and presents it.
void paint_dialog(const Form& form, Painter& painter);

}  // namespace dialog
