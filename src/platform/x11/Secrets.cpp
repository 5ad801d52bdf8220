// Process-wide protection of what is typed.
#include "platform/x11/Secrets.h"

#include <sys/prctl.h>
#include <sys/resource.h>

namespace x11 {

void ProtectSecrets() {
    const rlimit no_core{0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

}  // namespace x11
