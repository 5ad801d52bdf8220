// Finding and starting the Wayland program: beside this one (a build
// tree), else in the helper folder of the installation this one is in.
#include "platform/x11/WaylandHandOver.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/posix/Fatal.h"
#include "platform/posix/ProgramFolder.h"

namespace x11 {

void hand_over_to_wayland(char** argv) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!wayland || !*wayland) return;
    const std::string folder = posix::program_folder();
    if (folder.empty()) posix::fatal("cannot start umbrafold-wayland", "this program's folder is unknown");
    for (const std::string& program : {folder + "umbrafold-wayland", folder + UMBRAFOLD_WAYLAND_PROGRAM}) {
        if (access(program.c_str(), X_OK) != 0) continue;
        argv[0] = const_cast<char*>(program.c_str());
        execv(program.c_str(), argv);
        posix::fatal("cannot start umbrafold-wayland", std::strerror(errno));
    }
    posix::fatal("cannot lock a Wayland session", "umbrafold-wayland is not installed");
}

}  // namespace x11
