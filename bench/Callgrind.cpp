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
#include "XvfbServer.h"

namespace bench {
namespace {

constexpr double kDeadlineMs = 120'000;  // callgrind runs some fifty times slower
constexpr double kDumpGraceMs = 30'000;

double SumSummaries(const std::string& dir) {
    double total = 0;
    DIR* d = opendir(dir.c_str());
    if (!d) return -1;
    while (dirent* entry = readdir(d)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream in(dir + "/" + entry->d_name);
        for (std::string line; std::getline(in, line);) {
            if (line.compare(0, 9, "summary: ") == 0 || line.compare(0, 8, "totals: ") == 0) {
                total += std::atof(line.c_str() + line.find(' ') + 1);
                break;
            }
        }
    }
    closedir(d);
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
    argv.insert(argv.end(), request.argv.begin(), request.argv.end());

    XvfbServer server(request.width, request.height);
    Probe probe(server.display());
    bool reached = false;
    {
        Locker locker(argv, server.display());
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
    const double total = reached ? SumSummaries(dir) / 1e6 : -1;
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
