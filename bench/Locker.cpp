// Spawning and reading the locker under test.
#include "Locker.h"

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "Clock.h"

extern char** environ;

namespace bench {
namespace {

long StatusField(pid_t pid, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, key.size() + 1, key + ":") == 0) return std::stol(line.substr(key.size() + 1));
    return 0;
}

long PssKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 4, "Pss:") == 0) return std::stol(line.substr(4));
    return 0;
}

double SchedMs(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
    double ns = 0;
    in >> ns;
    return ns / 1e6;
}

// Every live process whose process group is the locker's.
std::vector<pid_t> GroupMembers(pid_t group) {
    std::vector<pid_t> members;
    DIR* dir = opendir("/proc");
    if (!dir) return members;
    while (dirent* entry = readdir(dir)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0) continue;
        std::ifstream in(std::string("/proc/") + entry->d_name + "/stat");
        std::string text;
        std::getline(in, text);
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(text.substr(close + 2));
        std::string state;
        long ppid = 0, pgrp = 0;
        fields >> state >> ppid >> pgrp;
        if (pgrp == group) members.push_back(pid);
    }
    closedir(dir);
    return members;
}

}  // namespace

long ResidentKb(pid_t pid) { return StatusField(pid, "VmRSS"); }

bool ParseLockerCommand(const std::string& arg, LockerCommand* out) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos || arg[0] == '-') return false;
    out->name = arg.substr(0, eq);
    out->argv.clear();
    std::istringstream in(arg.substr(eq + 1));
    for (std::string word; in >> word;) out->argv.push_back(word);
    return true;
}

Locker::Locker(const std::vector<std::string>& argv, const std::string& display)
    : Locker(argv, {{"DISPLAY", display}}) {}

Locker::Locker(const std::vector<std::string>& argv, const std::vector<std::pair<std::string, std::string>>& set_env,
               const std::string& stderr_path) {
    std::vector<std::string> env_text;
    for (const auto& [name, value] : set_env) env_text.push_back(name + "=" + value);
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& variable : set_env) replaced = replaced || entry.compare(0, variable.first.size() + 1, variable.first + "=") == 0;
        if (!replaced) env_text.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& e : env_text) env.push_back(e.data());
    env.push_back(nullptr);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A group of its own, so the helpers it starts end with it.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    started_ms_ = NowMs();
    const int rc = posix_spawnp(&pid_, args[0], &actions, &attr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
}

Locker::~Locker() { Stop(); }

bool Locker::Running() {
    if (reaped_) return false;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) reaped_ = true;
    return !reaped_;
}

void Locker::ReadCpu(double* own_ms, double* group_ms) const {
    // Listing /proc takes a while, during which the locker may still run.
    const std::vector<pid_t> members = GroupMembers(pid_);
    *own_ms = SchedMs(pid_);
    *group_ms = *own_ms;
    for (pid_t p : members)
        if (p != pid_) *group_ms += SchedMs(p);
}

Memory Locker::ReadMemory() const {
    Memory m;
    m.rss_kb = StatusField(pid_, "VmRSS");
    m.hwm_kb = StatusField(pid_, "VmHWM");
    m.pss_kb = PssKb(pid_);
    for (pid_t p : GroupMembers(pid_)) m.group_pss_kb += PssKb(p);
    return m;
}

void Locker::Stop(double grace_ms) {
    if (pid_ <= 0) return;
    kill(-pid_, SIGTERM);
    const double deadline = NowMs() + grace_ms;
    while (Running() && NowMs() < deadline) SleepUs(10'000);
    if (Running()) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        reaped_ = true;
    }
    // Helpers left behind in the group go too.
    kill(-pid_, SIGKILL);
    pid_ = -1;
}

}  // namespace bench
