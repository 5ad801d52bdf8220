// Finding and starting the Wayland program: beside this one (a build
// tree), else in the installed helper folder.
#include "platform/x11/WaylandHandOver.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/posix/Fatal.h"

namespace x11 {
namespace {

std::string beside_this_program() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    std::string folder(path, static_cast<std::size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder + "umbrafold-wayland";
}

}  // namespace

void hand_over_to_wayland(char** argv) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!wayland || !*wayland) return;
    for (const std::string& program : {beside_this_program(), std::string(UMBRAFOLD_WAYLAND_PROGRAM)}) {
        if (program.empty() || access(program.c_str(), X_OK) != 0) continue;
        argv[0] = const_cast<char*>(program.c_str());
        execv(program.c_str(), argv);
        posix::fatal("cannot start umbrafold-wayland", std::strerror(errno));
    }
    posix::fatal("cannot lock a Wayland session", "umbrafold-wayland is not installed");
}

}  // namespace x11
