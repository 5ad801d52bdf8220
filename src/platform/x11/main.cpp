// umbrafold: blacks out every screen and holds keyboard and pointer until
// the password that locked it is typed back.
#include <cstdio>
#include <cstring>

#include "platform/posix/Secrets.h"
#include "platform/posix/Signals.h"
#include "platform/x11/Display.h"
#include "version.h"
#include "windows/modMain.h"

namespace {

constexpr const char* kUsage = "usage: umbrafold [--help | --version]";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
            std::puts(UMBRAFOLD_PRODUCT_NAME " " UMBRAFOLD_VERSION);
            return 0;
        }
        if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
            std::printf("%s\n\nLocks the X display until the password set in the dialog is typed back.\n",
                        kUsage);
            return 0;
        }
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }

    // Before anything is typed, and before a signal could end the lock.
    posix::protect_secrets();
    posix::install_signal_handlers();
    x11::open_connection();

    modMain::Main();
}
