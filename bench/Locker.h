// One locker process under test: started in a process group of its own,
// read through /proc, and ended with its helpers.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace bench {

struct Memory {
    long rss_kb = 0;        // VmRSS of the locker's own process
    long hwm_kb = 0;        // VmHWM: its peak resident size
    long pss_kb = 0;        // Pss from smaps_rollup
    long group_pss_kb = 0;  // Pss summed over its process group (helpers too)
};

class Locker {
public:
    // Runs argv with DISPLAY set; the spawn time is taken just before fork.
    Locker(const std::vector<std::string>& argv, const std::string& display);
    // Runs argv with these variables set, such as a Wayland session's, and
    // its standard error into stderr_path.
    Locker(const std::vector<std::string>& argv, const std::vector<std::pair<std::string, std::string>>& set_env,
           const std::string& stderr_path = "/dev/null");
    ~Locker();
    Locker(const Locker&) = delete;
    Locker& operator=(const Locker&) = delete;

    pid_t pid() const { return pid_; }
    double started_ms() const { return started_ms_; }
    bool Running();
    // On-CPU time from /proc/<pid>/schedstat (nanoseconds, where stat's
    // utime and stime count 10 ms ticks), of the locker and of its whole
    // process group, read in one go once the group is known.
    void ReadCpu(double* own_ms, double* group_ms) const;
    Memory ReadMemory() const;
    // SIGTERM to the whole group, then SIGKILL after grace_ms.
    void Stop(double grace_ms = 3000);

private:
    pid_t pid_ = -1;
    double started_ms_ = 0;
    bool reaped_ = false;
};

// VmRSS of any process, such as the X server, in kB.
long ResidentKb(pid_t pid);

// A locker as the benchmarks' command lines name it: NAME=COMMAND, the
// command split at spaces.
struct LockerCommand {
    std::string name;
    std::vector<std::string> argv;
};

// Reads NAME=COMMAND; false for anything else, such as an option.
bool ParseLockerCommand(const std::string& arg, LockerCommand* out);

}  // namespace bench
