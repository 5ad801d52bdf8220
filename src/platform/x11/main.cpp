// umbrafold: blacks out every screen and holds keyboard and pointer until
// the password that locked it is typed back.
#include "platform/posix/CommandLine.h"
#include "platform/posix/Secrets.h"
#include "platform/posix/Signals.h"
#include "platform/x11/Display.h"
#include "platform/x11/Modules.h"
#include "platform/x11/WaylandHandOver.h"
#include "windows/modMain.h"

int main(int argc, char** argv) {
    posix::answer_command_line(argc, argv);
    x11::hand_over_to_wayland(argv);

    // Before anything is typed, and before a signal could end the lock.
    posix::protect_secrets();
    posix::install_signal_handlers();
    // No lock without the means to draw its dialog once it holds.
    x11::find_modules();
    x11::open_connection();

    modMain::Main();
}
