// Child processes for the end-to-end tests: start with a chosen
// environment, capture the output, wait for the exit, kill at the end.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ExitStatus {
    bool exited = false;  // ended through exit(); otherwise by a signal
    int code = 0;         // exit code, or the signal number
    bool Success() const { return exited && code == 0; }
    std::string Describe() const;
};

struct Spawn {
    std::vector<std::string> argv;
    std::vector<std::pair<std::string, std::string>> set_env;
    std::vector<std::string> unset_env;
    bool capture_output = true;  // else both streams go to /dev/null
};

class Process {
public:
    explicit Process(const Spawn& spawn);
    ~Process();  // kills the child if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    bool Running();
    void Signal(int signal);
    // The exit status once the child has ended within timeout seconds.
    std::optional<ExitStatus> WaitExit(double timeout_seconds = 5.0);
    void Kill();

    std::string Stdout() const { return ReadAll(out_fd_); }
    std::string Stderr() const { return ReadAll(err_fd_); }

private:
    static std::string ReadAll(int fd);
    bool Reap(bool block);

    pid_t pid_ = -1;
    int out_fd_ = -1, err_fd_ = -1;
    std::optional<ExitStatus> status_;
};

// The whole of /proc/<pid>/<file>, empty when it cannot be read.
std::string ReadProcFile(pid_t pid, const char* file);

}  // namespace e2e
