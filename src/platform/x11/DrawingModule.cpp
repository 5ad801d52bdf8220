// Finding the drawing module before the lock, loading it after.
#include <cerrno>
#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

#include "platform/posix/Fatal.h"
#include "platform/x11/Display.h"
#include "platform/x11/DrawingModule.h"

namespace x11 {
namespace {

std::string g_module_path;

std::string own_directory() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    const std::string self(path, static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/'));
}

}  // namespace

void find_drawing_module() {
    // Beside the program in the build tree; under the library directory
    // once installed (UMBRAFOLD_DRAW_MODULE_FROM_BINDIR, relative to bin/).
    const std::string directory = own_directory();
    for (const std::string& path : {directory + "/" UMBRAFOLD_DRAW_MODULE,
                                    directory + "/" UMBRAFOLD_DRAW_MODULE_FROM_BINDIR "/" UMBRAFOLD_DRAW_MODULE}) {
        if (access(path.c_str(), R_OK) == 0) {
            g_module_path = path;
            return;
        }
    }
    posix::fatal("cannot find " UMBRAFOLD_DRAW_MODULE, std::strerror(ENOENT));
}

DrawingModule& drawing_module() {
    static DrawingModule& module = [] () -> DrawingModule& {
        // Bound at once, with the libraries it pulls in: a symbol that will
        // not resolve ends the program here, before a password is stored,
        // rather than at some later paint while the station is locked.
        void* library = dlopen(g_module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = library ? dlsym(library, kOpenDrawingModule) : nullptr;
        if (!entry) posix::fatal("cannot load " UMBRAFOLD_DRAW_MODULE, dlerror());
        return *reinterpret_cast<OpenDrawingModule>(entry)(g_x.c, g_x.screen, g_x.dpi);
    }();
    return module;
}

}  // namespace x11
