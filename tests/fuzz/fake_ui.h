// The window operations of the seam over plain data, for driving the lock
// window without a display. The controls are the real dialog engine's;
// ending the program throws instead of leaving the process.
#pragma once

#include "platform/dialog/Form.h"
#include "platform/ui.h"

namespace fake {

// Thrown by ui::end_program.
struct ProgramEnded {
    int status;
};

// The lock window's engine; null before the window is created.
dialog::Form* Dialog();
bool KeyBlockOn();

// Makes the lock window's engine again, as the program starts with it.
void Reset();

// Draws the dialog through a painter that draws nothing, so the painting
// code runs over whatever state the input left.
void Paint();

}  // namespace fake
