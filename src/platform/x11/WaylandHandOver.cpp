// Finding and starting the Wayland program: beside this one (a build
// tree), else in the helper folder of the installation this one is in.
#include "platform/x11/WaylandHandOver.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/posix/Fatal.h"

namespace x11 {
namespace {

// The folder of this program, with its closing slash.
std::string this_folder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    std::string folder(path, static_cast<std::size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder;
}

}  // namespace

void hand_over_to_wayland(char** argv) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!wayland || !*wayland) return;
    const std::string folder = this_folder();
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
