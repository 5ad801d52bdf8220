// Keeping the typed password out of core files and other processes.
#pragma once

namespace x11 {

// No core file, and no ptrace or /proc/<pid>/mem access by other processes
// of the same user.
void ProtectSecrets();

}  // namespace x11
