// Where the running program's file is, to find the helpers installed
// beside it.
#pragma once

#include <string>

namespace posix {

// The folder, with its closing slash; empty where it cannot be told.
std::string program_folder();

}  // namespace posix
