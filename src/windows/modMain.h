// The program's start-up and the procedures both windows share.
#pragma once

#include "platform/ui.h"

namespace modMain {

// Shows the cover, then the lock window modal; never returns.
[[noreturn]] void Main();

// Lifts a window above every ordinary window, moving and resizing nothing.
void MakeTopmost(ui::Window* window);

}  // namespace modMain
