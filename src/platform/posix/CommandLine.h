// The command line: no options but --help and --version.
#pragma once

namespace posix {

// Answers --help and --version and ends the program, or ends it with
// status 2 on anything else; returns only when there are no arguments.
void answer_command_line(int argc, char** argv);

}  // namespace posix
