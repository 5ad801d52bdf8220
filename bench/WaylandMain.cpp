// umbrafold-wayland-bench: lockers of a Wayland session side by side, each
// run in a headless sway of its own. Measured from outside, the same way
// for every locker: exec to the lock held (another client's window has lost
// the keyboard focus and a copy of the screen shows none of it), memory
// once idle, and a key pressed to the next frame the compositor shows.
// Apart from those runs, each locker runs once more with libwayland's
// protocol trace on, which gives the time from a key's arrival to the
// locker's next surface commit: its own share of a keystroke's latency.
// The first NAME=COMMAND given is the subject, the others its peers; a
// NAME beginning with "umbrafold" has its dialog watched too (t_ready).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "Clock.h"
#include "Locker.h"
#include "Stats.h"
#include "compositor.h"
#include "focus_probe.h"
#include "screen_copy.h"
#include "virtual_input.h"

namespace {

using namespace bench;
using wayland::Compositor;
using wayland::FocusProbe;
using wayland::Image;
using wayland::Rgb;
using wayland::ScreenCopy;
using wayland::VirtualInput;

struct Options {
    int runs = 20;
    int key_pairs = 10;  // per run: a letter and a BackSpace each
    long poll_us = 200;
    double idle_ms = 300;
};

constexpr double kStartDeadlineMs = 10'000;
constexpr double kKeyDeadlineMs = 500;

bool IsUmbrafold(const LockerCommand& l) { return l.name.compare(0, 9, "umbrafold") == 0; }

// A key pressed and released, to the next frame with damage.
double KeyToFrame(ScreenCopy& screen, VirtualInput& input, const char* key) {
    screen.RequestDamagedFrame();
    const double sent = NowMs();
    input.Key(key);
    return screen.WaitForFrame(kKeyDeadlineMs) ? NowMs() - sent : -1;
}

void RunOnce(const LockerCommand& l, const Options& o, Results* results) {
    Compositor compositor;
    VirtualInput input(compositor.Socket());
    FocusProbe probe(compositor.Socket());
    ScreenCopy screen(compositor.Socket());
    const double shown_deadline = NowMs() + kStartDeadlineMs;
    bool shown = false;
    while (!shown && NowMs() < shown_deadline) {
        probe.Pump();
        shown = probe.Focused() && screen.Capture().Count(FocusProbe::kColour) > 0;
    }
    if (!shown) throw std::runtime_error("the probe window never showed with the focus");

    Locker locker(l.argv, compositor.Env());
    const double start = locker.started_ms();
    double t_locked = -1, t_ready = -1;
    while (NowMs() - start < kStartDeadlineMs && locker.Running()) {
        probe.Pump();
        if (!probe.Focused()) {
            const double unfocused = NowMs() - start;
            // Held once nothing of the probe shows either: the focus left
            // at unfocused if the next frame is already clean.
            if (screen.Capture().Count(FocusProbe::kColour) == 0) {
                t_locked = unfocused;
                break;
            }
        }
        SleepUs(o.poll_us);
    }
    if (t_locked < 0) throw std::runtime_error("did not lock within the deadline");
    if (IsUmbrafold(l)) {
        while (NowMs() - start < kStartDeadlineMs && screen.Capture().FindDialog().w == 0) SleepUs(o.poll_us);
        t_ready = NowMs() - start;
    }
    results->Add("t_locked", l.name, t_locked);
    if (t_ready >= 0) results->Add("t_ready", l.name, t_ready);

    SleepUs(static_cast<long>(o.idle_ms * 1000));
    const Memory m = locker.ReadMemory();
    results->Add("rss_kb", l.name, static_cast<double>(m.rss_kb));
    results->Add("pss_kb", l.name, static_cast<double>(m.pss_kb));

    int misses = 0;
    for (int i = 0; i <= o.key_pairs; ++i)
        for (const char* key : {"a", "BackSpace"}) {
            const double latency = KeyToFrame(screen, input, key);
            if (i == 0) continue;  // the first pair wakes what a first key starts
            if (latency < 0) ++misses;
            else results->Add("keystroke_frame", l.name, latency);
        }
    if (misses) std::fprintf(stderr, "umbrafold-wayland-bench: %s: %d keys brought no new frame\n", l.name.c_str(), misses);
}

// From each key press the locker read to its next commit of a new buffer
// (an attach, then a commit: a commit alone may only ask for a frame
// callback), in the protocol trace's own milliseconds.
std::vector<double> KeyToCommit(const std::string& trace_path) {
    std::ifstream trace(trace_path);
    std::vector<double> latencies;
    double pressed = -1;
    bool attached = false;
    for (std::string line; std::getline(trace, line);) {
        // Each line starts with its time: "[1234567.890] ".
        double at = 0;
        if (std::sscanf(line.c_str(), "[%lf]", &at) != 1) continue;
        const bool surface = line.find("-> wl_surface@") != std::string::npos;
        if (line.find("wl_keyboard@") != std::string::npos && line.find(".key(") != std::string::npos &&
            line.find(", 1)") != std::string::npos) {
            pressed = at;
            attached = false;
        } else if (pressed >= 0 && surface && line.find(".attach(") != std::string::npos) {
            attached = true;
        } else if (pressed >= 0 && attached && surface && line.find(".commit()") != std::string::npos) {
            latencies.push_back(at - pressed);
            pressed = -1;
        }
    }
    return latencies;
}

void TraceKeys(const LockerCommand& l, const Options& o, Results* results) {
    Compositor compositor;
    VirtualInput input(compositor.Socket());
    ScreenCopy screen(compositor.Socket());
    char trace_path[] = "/tmp/umbrafold-wayland-bench-XXXXXX";
    const int fd = mkstemp(trace_path);
    if (fd < 0) throw std::runtime_error("cannot make a trace file");
    close(fd);
    auto env = compositor.Env();
    env.push_back({"WAYLAND_DEBUG", "client"});
    {
        Locker locker(l.argv, env, trace_path);
        // Up and drawn: the screen no longer shows the grey desktop.
        const double start = NowMs();
        while (NowMs() - start < kStartDeadlineMs && screen.Capture().Count(Rgb{0, 0, 0}) == 0) SleepUs(o.poll_us);
        SleepUs(static_cast<long>(o.idle_ms * 1000));
        for (int i = 0; i < o.key_pairs; ++i)
            for (const char* key : {"a", "BackSpace"}) {
                input.Key(key);
                SleepUs(30'000);  // one key's frame done before the next key
            }
    }
    for (double latency : KeyToCommit(trace_path)) results->Add("key_to_commit", l.name, latency);
    unlink(trace_path);
}

[[noreturn]] void Usage() {
    std::fputs("usage: umbrafold-wayland-bench [--runs N] [--keys PAIRS_PER_RUN] NAME=COMMAND...\n"
               "The first NAME=COMMAND is the subject; the rest are its peers.\n",
               stderr);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
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
        else if (LockerCommand locker; ParseLockerCommand(arg, &locker)) {
            lockers.push_back(locker);
        } else {
            Usage();
        }
    }
    if (lockers.empty() || o.runs < 1) Usage();
    const std::string why = wayland::WhyNoCompositor();
    if (!why.empty()) {
        std::fprintf(stderr, "umbrafold-wayland-bench: %s\n", why.c_str());
        return 1;
    }

    Results results;
    std::vector<std::string> names;
    for (const LockerCommand& l : lockers) names.push_back(l.name);
    auto attempt = [&o](const LockerCommand& l, Results* into, auto run) {
        try {
            run(l, o, into);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "umbrafold-wayland-bench: %s: %s\n", l.name.c_str(), e.what());
        }
    };
    // One unrecorded run each fills the page cache and font caches.
    for (const LockerCommand& l : lockers) {
        Results ignored;
        attempt(l, &ignored, RunOnce);
    }
    for (int run = 0; run < o.runs; ++run) {
        for (const LockerCommand& l : lockers) attempt(l, &results, RunOnce);
        std::fprintf(stderr, "umbrafold-wayland-bench: run %d of %d done\n", run + 1, o.runs);
    }
    for (const LockerCommand& l : lockers) attempt(l, &results, TraceKeys);
    results.Print(lockers[0].name, names);
    return 0;
}
