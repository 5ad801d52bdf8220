// --help, --version, and nothing else.
#include "platform/posix/CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "version.h"

namespace posix {

namespace {

constexpr const char* kUsage = "usage: umbrafold [--help | --version]";

}  // namespace

void answer_command_line(int argc, char** argv) {
    if (argc <= 1) return;
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts(UMBRAFOLD_PRODUCT_NAME " " UMBRAFOLD_VERSION);
        std::exit(0);
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("%s\n\nLocks the X display or the Wayland session until the password set in the dialog\n"
                    "is typed back.\n",
                    kUsage);
        std::exit(0);
    }
    std::fprintf(stderr, "%s\n", kUsage);
    std::exit(2);
}

}  // namespace posix
