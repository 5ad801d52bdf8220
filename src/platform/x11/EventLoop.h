// The event loop under the modal lock window, and the signals it serves.
#pragma once

namespace x11 {

// Takes over the signals a locker must survive or answer; call first thing.
void InstallSignalHandlers();

}  // namespace x11
