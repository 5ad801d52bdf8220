// Keeping the typed password out of core files and other processes.
#pragma once

namespace posix {

// No core file, no ptrace or /proc/<pid>/mem access by other processes
// of the same user, and the stack that handles typed text kept out of swap.
void protect_secrets();

}  // namespace posix

