// Instructions executed, counted exactly by valgrind's callgrind, because
// hardware counters are not always open to us (perf stat answers "not
// supported" under many virtual machines).
#pragma once

#include <string>
#include <vector>

namespace bench {

struct CountRequest {
    std::vector<std::string> argv;
    std::string name;
    bool until_ready = false;  // else until locked
    // Umbrafold asks for the pointer grab as its last request before the
    // cover goes up (older builds: after the cover): counting up to that
    // call is exact, where a stop sent on seeing the lock lands a little
    // later each time while Umbrafold goes on to draw its dialog.
    bool until_pointer_grab = false;
    int width = 1024, height = 768;
    std::string keep_dir;  // where the callgrind files stay, if set
};

// Runs the locker under callgrind in a fresh Xvfb, ends it (SIGTERM to its
// process group) the moment the probe sees it locked or ready, and returns
// the instructions of the locker and of the helpers it exec'd, in
// millions; negative if it never got there.
double CountInstructions(const CountRequest& request);

}  // namespace bench
