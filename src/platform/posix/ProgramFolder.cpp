// The program's folder, from the kernel's link to its file.
#include "platform/posix/ProgramFolder.h"

#include <climits>
#include <unistd.h>

namespace posix {

std::string program_folder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    std::string folder(path, static_cast<std::size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder;
}

}  // namespace posix
