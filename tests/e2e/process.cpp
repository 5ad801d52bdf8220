// Child processes: fork and exec, output into anonymous temporary files.
#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <cstdlib>
#include <stdexcept>

#include "wait.h"

namespace e2e {
namespace {

// A temporary file that exists only through the returned descriptor.
int AnonymousFile() {
    char name[] = "/tmp/umbrafold-e2e-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw std::runtime_error("cannot create a temporary file");
    unlink(name);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    return fd;
}

}  // namespace

std::string ExitStatus::Describe() const {
    return exited ? "exit status " + std::to_string(code) : "killed by signal " + std::to_string(code);
}

Process::Process(const Spawn& spawn) {
    if (spawn.capture_output) {
        out_fd_ = AnonymousFile();
        err_fd_ = AnonymousFile();
    }
    std::vector<char*> argv;
    for (const std::string& arg : spawn.argv) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        // In the child: only async-signal-safe work would be strictly
        // proper, but the test process is single-threaded here.
        const int null_fd = open("/dev/null", O_RDWR);
        dup2(null_fd, 0);
        dup2(spawn.capture_output ? out_fd_ : null_fd, 1);
        dup2(spawn.capture_output ? err_fd_ : null_fd, 2);
        for (const auto& [name, value] : spawn.set_env) setenv(name.c_str(), value.c_str(), 1);
        for (const std::string& name : spawn.unset_env) unsetenv(name.c_str());
        // The test runner may block or ignore signals; the child starts clean.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int sig : {SIGINT, SIGHUP, SIGTERM, SIGQUIT, SIGPIPE, SIGTSTP}) signal(sig, SIG_DFL);
        execv(argv[0], argv.data());
        _exit(127);
    }
}

Process::~Process() {
    Kill();
    if (out_fd_ >= 0) close(out_fd_);
    if (err_fd_ >= 0) close(err_fd_);
}

bool Process::Reap(bool block) {
    if (status_) return true;
    int raw = 0;
    const pid_t got = waitpid(pid_, &raw, block ? 0 : WNOHANG);
    if (got != pid_) return false;
    ExitStatus status;
    status.exited = WIFEXITED(raw);
    status.code = status.exited ? WEXITSTATUS(raw) : WTERMSIG(raw);
    status_ = status;
    return true;
}

bool Process::Running() { return pid_ > 0 && !Reap(false); }

void Process::Signal(int signal) {
    if (Running()) kill(pid_, signal);
}

std::optional<ExitStatus> Process::WaitExit(double timeout_seconds) {
    WaitUntil([this] { return Reap(false); }, timeout_seconds);
    return status_;
}

void Process::Kill() {
    if (!Running()) return;
    kill(pid_, SIGKILL);
    Reap(true);
}

std::string Process::ReadAll(int fd) {
    std::string text;
    if (fd < 0) return text;
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        offset += n;
    }
    return text;
}

std::string ReadProcFile(pid_t pid, const char* file) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace e2e
