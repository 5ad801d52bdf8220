// In a Wayland session the lock is the compositor's to hold: the X11
// program hands over to the Wayland one.
#pragma once

namespace x11 {

// Replaces the process with umbrafold-wayland when WAYLAND_DISPLAY names a
// compositor; ends the program with status 1 where it is not installed.
// Returns only outside a Wayland session.
void hand_over_to_wayland(char** argv);

}  // namespace x11
