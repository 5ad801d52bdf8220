// Giving up.
#include "platform/posix/Fatal.h"

#include <cstdio>
#include <unistd.h>

namespace posix {

void fatal(const char* what, const char* why, int status) {
    if (why)
        std::fprintf(stderr, "umbrafold: %s: %s\n", what, why);
    else
        std::fprintf(stderr, "umbrafold: %s\n", what);
    std::fflush(stderr);
    // Whatever a server or compositor held for us, it lets go of when the
    // connection closes with the process.
    _exit(status);
}

}  // namespace posix
