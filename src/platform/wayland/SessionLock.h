// The session lock: asked for once, held until the program unlocks it or
// ends; while it is held, the compositor shows only our lock surfaces.
#pragma once

#include "platform/wayland/Outputs.h"

namespace wl {

// Whether the lock has been asked for, so new outputs need covering.
bool locking();

// Makes the output's lock surface; the compositor's configure paints it.
void cover_output(Output& output);
// Lets go of the output's lock surface, as its output is gone.
void uncover_output(Output& output);

}  // namespace wl
