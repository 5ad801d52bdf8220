// Running a locker under callgrind and adding up its "summary:" lines.
#include "Callgrind.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "Clock.h"
#include "Locker.h"
#include "Probe.h"
#include "x_server.h"

namespace bench {
namespace {

constexpr double kDeadlineMs = 120'000;  // callgrind runs some fifty times slower
constexpr double kDumpGraceMs = 30'000;

struct Profile {
    long pid = 0;
    std::string cmd;
    bool part = false;  // the dump made on entering the function watched
    double instructions = 0;
};

std::vector<Profile> ReadProfiles(const std::string& dir) {
    std::vector<Profile> profiles;
    DIR* d = opendir(dir.c_str());
    if (!d) return profiles;
    while (dirent* entry = readdir(d)) {
        if (entry->d_name[0] == '.') continue;
        const std::string name = entry->d_name;
        std::ifstream in(dir + "/" + name);
        Profile p;
        p.part = name.size() > 2 && name.compare(name.size() - 2, 2, ".1") == 0;
        for (std::string line; std::getline(in, line);) {
            if (line.compare(0, 5, "pid: ") == 0) p.pid = std::atol(line.c_str() + 5);
            else if (line.compare(0, 5, "cmd: ") == 0) p.cmd = line.substr(5);
            else if (line.compare(0, 9, "summary: ") == 0 || line.compare(0, 8, "totals: ") == 0) {
                p.instructions = std::atof(line.c_str() + line.find(' ') + 1);
                break;
            }
        }
        profiles.push_back(p);
    }
    closedir(d);
    return profiles;
}

// The locker's own process plus every helper it started with exec. A child
// forked without exec is left out: its file repeats its parent's counts up
// to the fork, and what it did after is the lock's upkeep, not the locking.
double SumSummaries(const std::string& dir, long main_pid, bool part) {
    if (part) {
        for (const Profile& p : ReadProfiles(dir))
            if (p.part && p.pid == main_pid) return p.instructions;
        return -1;
    }
    const std::vector<Profile> profiles = ReadProfiles(dir);
    std::string main_cmd;
    for (const Profile& p : profiles)
        if (p.pid == main_pid) main_cmd = p.cmd;
    double total = 0;
    for (const Profile& p : profiles)
        if (p.pid == main_pid || p.cmd != main_cmd) total += p.instructions;
    return total;
}

}  // namespace

double CountInstructions(const CountRequest& request) {
    // A directory of its own per run, so its files are summed alone.
    const std::string parent = request.keep_dir.empty() ? "/tmp" : request.keep_dir;
    mkdir(parent.c_str(), 0755);
    std::string pattern = parent + "/" + request.name + (request.until_ready ? "-ready-" : "-locked-") + "XXXXXX";
    if (!mkdtemp(pattern.data())) return -1;
    const std::string dir = pattern;
    std::vector<std::string> argv{"valgrind", "--tool=callgrind", "--trace-children=yes",
                                  "--callgrind-out-file=" + dir + "/callgrind.out.%p"};
    // Through Xlib or XCB, whichever the build asks for it with.
    if (request.until_pointer_grab)
        argv.insert(argv.end(), {"--dump-before=XGrabPointer", "--dump-before=xcb_grab_pointer"});
    argv.insert(argv.end(), request.argv.begin(), request.argv.end());

    e2e::XServer server(request.width, request.height);
    Probe probe(server.display());
    bool reached = false;
    long main_pid = 0;
    {
        Locker locker(argv, server.display());
        main_pid = locker.pid();
        const double deadline = locker.started_ms() + kDeadlineMs;
        bool locked = false;
        while (!reached && NowMs() < deadline && locker.Running()) {
            if (!locked) locked = probe.Locked();
            if (locked && !request.until_ready) reached = true;
            Rect dialog;
            if (locked && request.until_ready && probe.FindDialog(&dialog)) {
                int x = 0, y = 0, h = 0;
                reached = FindCaret(probe.Grab(dialog), &x, &y, &h);
            }
            if (!reached) SleepUs(1000);
        }
        locker.Stop(kDumpGraceMs);
    }
    const double total = reached ? SumSummaries(dir, main_pid, request.until_pointer_grab) / 1e6 : -1;
    if (request.keep_dir.empty()) {
        if (DIR* d = opendir(dir.c_str())) {
            while (dirent* entry = readdir(d))
                if (entry->d_name[0] != '.') unlink((dir + "/" + entry->d_name).c_str());
            closedir(d);
        }
        rmdir(dir.c_str());
    }
    return total;
}

}  // namespace bench
