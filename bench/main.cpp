// umbrafold-bench: how fast lockers lock, how fast Umbrafold is ready and
// answers a key, and what each costs in memory, CPU and instructions.
// The first NAME=COMMAND given is the subject; the others are its peers,
// run in turn with it (A, B, A, B ...) so that only ratios from one
// sitting on a noisy machine are compared. A NAME that begins with
// "umbrafold" marks a build of Umbrafold, whose dialog is watched too, so
// two builds can be compared with each other.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "Callgrind.h"
#include "Clock.h"
#include "Locker.h"
#include "Probe.h"
#include "Stats.h"
#include "WarmServer.h"
// Before Xlib, whose Success macro would clash with its names.
#include "process.h"
#include "x_server.h"
#include "x_client.h"

namespace {

using namespace bench;

struct Options {
    int runs = 20;
    int key_pairs = 10;  // per run: a letter and a BackSpace each
    int width = 1024, height = 768;
    long poll_us = 200;
    long key_poll_us = 20;
    double idle_ms = 300;
    int instruction_runs = 1;
    std::string callgrind_dir;
    bool cold_server = false;  // leave the server as it starts (WarmServer.h)
};

constexpr double kStartDeadlineMs = 10'000;
constexpr double kKeyDeadlineMs = 500;

// Presses a key and waits until the region's pixels differ from before.
double KeyLatency(Probe& probe, e2e::XClient& keys, const Rect& region, const char* key, long poll_us) {
    const Image before = probe.Grab(region);
    const double sent = NowMs();
    keys.SendKey(key, true);
    double latency = -1;
    while (NowMs() - sent < kKeyDeadlineMs) {
        if (!(probe.Grab(region) == before)) {
            latency = NowMs() - sent;
            break;
        }
        if (poll_us > 0) SleepUs(poll_us);
    }
    keys.SendKey(key, false);
    return latency;
}

// In a process of its own: Xft keeps what it learnt of a display beyond
// its closing, and a later display at the same address would be taken for
// one whose glyphs are already in the server.
void WarmInChild(const std::string& display) {
    e2e::Spawn spawn;
    spawn.argv = {"/proc/self/exe", "--warm-server", display};
    e2e::Process child(spawn);
    const auto status = child.WaitExit(10.0);
    if (!status || !status->exited || status->code != 0) throw std::runtime_error("cannot warm the server " + display);
}

bool IsUmbrafold(const LockerCommand& locker_command) { return locker_command.name.compare(0, 9, "umbrafold") == 0; }

void RunOnce(const LockerCommand& locker_command, const Options& o, Results* results) {
    const bool dialog_too = IsUmbrafold(locker_command);
    e2e::XServer server(o.width, o.height);
    if (!o.cold_server) WarmInChild(server.display());
    Probe probe(server.display());
    e2e::XClient keys(server.display());
    // The server's own memory, before the locker connects: what it holds
    // for the locker's windows, pixmaps, glyphs and cursors comes on top.
    // The probe's own requests grow the server's heap the first time (an
    // image of the dialog is 80 kB); it makes each once before, so that
    // growth is not counted as the locker's.
    probe.Locked();
    probe.Grab({0, 0, 256, 128});
    const long server_before_kb = ResidentKb(server.pid());
    Locker locker(locker_command.argv, server.display());
    const double start = locker.started_ms();
    double t_locked = -1, t_ready = -1, cpu = 0, group_cpu = 0;
    Rect dialog;
    int caret_x = 0, caret_y = 0, caret_h = 0;
    while (NowMs() - start < kStartDeadlineMs && locker.Running()) {
        if (t_locked < 0) {
            if (probe.Locked()) {
                t_locked = NowMs() - start;
                locker.ReadCpu(&cpu, &group_cpu);
            }
        } else if (dialog_too && t_ready < 0 && probe.FindDialog(&dialog) &&
                   FindCaret(probe.Grab(dialog), &caret_x, &caret_y, &caret_h)) {
            t_ready = NowMs() - start;
        }
        if (t_locked >= 0 && (!dialog_too || t_ready >= 0)) break;
        SleepUs(o.poll_us);
    }
    if (t_locked < 0 || (dialog_too && t_ready < 0)) {
        std::fprintf(stderr, "umbrafold-bench: %s did not %s within %.0f ms\n", locker_command.name.c_str(),
                     t_locked < 0 ? "lock" : "become ready", kStartDeadlineMs);
        return;
    }
    results->Add("t_locked", locker_command.name, t_locked);
    if (dialog_too) results->Add("t_ready", locker_command.name, t_ready);
    results->Add("cpu_to_locked", locker_command.name, cpu);
    results->Add("group_cpu_to_locked", locker_command.name, group_cpu);

    SleepUs(static_cast<long>(o.idle_ms * 1000));
    const Memory m = locker.ReadMemory();
    results->Add("rss_kb", locker_command.name, static_cast<double>(m.rss_kb));
    results->Add("hwm_kb", locker_command.name, static_cast<double>(m.hwm_kb));
    results->Add("pss_kb", locker_command.name, static_cast<double>(m.pss_kb));
    results->Add("group_pss_kb", locker_command.name, static_cast<double>(m.group_pss_kb));
    results->Add("server_growth_kb", locker_command.name,
                 static_cast<double>(ResidentKb(server.pid()) - server_before_kb));

    // Umbrafold: the caret's band of the dialog, where a star appears and
    // goes. A peer: the middle of the screen, where each draws its feedback.
    const Rect region = dialog_too ? Rect{dialog.x, dialog.y + caret_y, dialog.w, caret_h}
                                : Rect{o.width / 2 - 128, o.height / 2 - 64, 256, 128};
    int misses = 0;
    for (int i = 0; i <= o.key_pairs; ++i) {
        for (const char* key : {"a", "BackSpace"}) {
            const double latency = KeyLatency(probe, keys, region, key, o.key_poll_us);
            if (latency < 0) ++misses;
            // The first pair wakes whatever a locker starts on a first key.
            if (i > 0 && latency >= 0) results->Add("keystroke_repaint", locker_command.name, latency);
        }
        // A locker that showed neither key of the first pair shows no typing
        // at all (the floor); it is not kept waiting for more.
        if (i == 0 && misses == 2) return;
        if (i == 0) misses = 0;
    }
    if (misses) std::fprintf(stderr, "umbrafold-bench: %s: %d keystrokes changed nothing visible\n",
                             locker_command.name.c_str(), misses);
}

void Usage() {
    std::fputs("usage: umbrafold-bench [--runs N] [--keys PAIRS_PER_RUN] [--size WxH] [--poll-us US]\n"
               "                       [--instructions RUNS] [--callgrind-dir DIR] [--cold-server]\n"
               "                       NAME=COMMAND...\n"
               "The first NAME=COMMAND is the subject; the rest are its peers. A NAME beginning\n"
               "with umbrafold marks a build of Umbrafold (t_ready is measured for it).\n",
               stderr);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--warm-server") == 0) {
        WarmServer(argv[2]);
        return 0;
    }
    Options o;
    std::vector<LockerCommand> lockers;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Usage();
            return argv[++i];
        };
        if (arg == "--runs") o.runs = std::atoi(value().c_str());
        else if (arg == "--keys") o.key_pairs = std::atoi(value().c_str());
        else if (arg == "--poll-us") o.poll_us = std::atol(value().c_str());
        else if (arg == "--instructions") o.instruction_runs = std::atoi(value().c_str());
        else if (arg == "--callgrind-dir") o.callgrind_dir = value();
        else if (arg == "--cold-server") o.cold_server = true;
        else if (arg == "--size") {
            if (std::sscanf(value().c_str(), "%dx%d", &o.width, &o.height) != 2) Usage();
        } else if (LockerCommand locker; ParseLockerCommand(arg, &locker)) {
            lockers.push_back(locker);
        } else {
            Usage();
        }
    }
    if (lockers.empty() || o.runs < 1) Usage();

    Results results;
    std::vector<std::string> names;
    for (const LockerCommand& l : lockers) names.push_back(l.name);
    // A locker that cannot start, or a missing valgrind, costs its own
    // figures and no others.
    auto attempt = [](const LockerCommand& locker_command, auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "umbrafold-bench: %s: %s\n", locker_command.name.c_str(), e.what());
        }
    };
    // One unrecorded run each fills the page cache and font caches.
    for (const LockerCommand& l : lockers) {
        Results ignored;
        attempt(l, [&] { RunOnce(l, o, &ignored); });
    }
    for (int run = 0; run < o.runs; ++run) {
        for (const LockerCommand& l : lockers) attempt(l, [&] { RunOnce(l, o, &results); });
        std::fprintf(stderr, "umbrafold-bench: run %d of %d done\n", run + 1, o.runs);
    }
    for (int run = 0; run < o.instruction_runs; ++run) {
        for (const LockerCommand& l : lockers) {
            attempt(l, [&] {
                const bool umbrafold = IsUmbrafold(l);
                CountRequest request{l.argv, l.name, false, umbrafold, o.width, o.height, o.callgrind_dir};
                const double locked = CountInstructions(request);
                if (locked >= 0) results.Add("instructions_to_locked", l.name, locked);
                if (!umbrafold) return;
                request.until_ready = true;
                request.until_pointer_grab = false;
                const double ready = CountInstructions(request);
                if (ready >= 0) results.Add("instructions_to_ready", l.name, ready);
            });
        }
    }
    results.Print(lockers[0].name, names);
    return 0;
}
