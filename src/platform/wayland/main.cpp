// umbrafold-wayland: locks a Wayland session through the compositor's
// session lock until the password that locked it is typed back. The
// umbrafold command starts it in a Wayland session.
#include "platform/posix/CommandLine.h"
#include "platform/posix/Secrets.h"
#include "platform/posix/Signals.h"
#include "platform/wayland/Connection.h"
#include "windows/modMain.h"

int main(int argc, char** argv) {
    posix::answer_command_line(argc, argv);

    // Before anything is typed, and before a signal could end the lock.
    posix::protect_secrets();
    posix::install_signal_handlers();
    wl::open_connection();

    modMain::Main();
}
