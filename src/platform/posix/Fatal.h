// The one way the program gives up: a line on stderr and a status.
#pragma once

namespace posix {

// Prints "umbrafold: <what>: <why>" ("umbrafold: <what>" without a why)
// and ends the process at once with status.
[[noreturn]] void fatal(const char* what, const char* why, int status = 1);

}  // namespace posix
