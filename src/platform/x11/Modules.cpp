// Finding the modules before the lock, loading each on its first use.
#include "platform/x11/Modules.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

#include "platform/posix/Fatal.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/x11/Display.h"

namespace x11 {
namespace {

struct Module {
    const char* file;
    std::string path;
};
Module g_pointer{UMBRAFOLD_POINTER_MODULE, {}};
Module g_text{UMBRAFOLD_TEXT_MODULE, {}};

// Beside the program in the build tree; in the installation's folder of
// helpers once installed (UMBRAFOLD_MODULE_FROM_BINDIR, relative to bin/).
void find(Module& module, const std::string& folder) {
    for (const std::string& path : {folder + module.file, folder + UMBRAFOLD_MODULE_FROM_BINDIR "/" + module.file}) {
        if (access(path.c_str(), R_OK) == 0) {
            module.path = path;
            return;
        }
    }
    posix::fatal((std::string("cannot find ") + module.file).c_str(), std::strerror(ENOENT));
}

// Bound at once, with the libraries it pulls in: a symbol that will not
// resolve ends the program here, before a password is stored, rather than
// at some later paint while the station is locked.
void* entry_of(const Module& module, const char* name) {
    void* library = dlopen(module.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = library ? dlsym(library, name) : nullptr;
    if (!entry) posix::fatal((std::string("cannot load ") + module.file).c_str(), dlerror());
    return entry;
}

}  // namespace

void find_modules() {
    const std::string folder = posix::program_folder();
    if (folder.empty()) posix::fatal("cannot find the program's modules", "this program's folder is unknown");
    find(g_pointer, folder);
    find(g_text, folder);
}

xcb_cursor_t load_pointer(const char* name) {
    static const auto load = reinterpret_cast<LoadPointer>(entry_of(g_pointer, kLoadPointer));
    return load(g_x.c, const_cast<xcb_screen_t*>(g_x.screen), name);
}

canvas::GlyphSource* open_freetype_glyphs(double dpi) {
    static const auto open = reinterpret_cast<fonts::OpenGlyphs>(entry_of(g_text, kOpenGlyphs));
    return open(dpi);
}

}  // namespace x11
