// A private headless sway for one test: its own runtime folder, outputs
// that can be added, removed and scaled through swaymsg, and pictures of
// each output through grim.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Before any X11 header, whose Success macro would rename a member here.
#include "process.h"

#include "image.h"

namespace wayland {

using e2e::Process;
using e2e::Spawn;

using Environment = std::vector<std::pair<std::string, std::string>>;

struct CompositorOptions {
    int outputs = 1;
    int scale = 1;
    int width = 1024, height = 768;
};

// Where no compositor can be had, the reason; empty where one can.
std::string WhyNoCompositor();

class Compositor {
public:
    // Starts sway and waits until it accepts clients; throws when it does not.
    explicit Compositor(const CompositorOptions& options = {});
    ~Compositor();
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    // What a client of this compositor needs in its environment.
    Environment Env() const;
    // The socket's full path, for clients of the test process itself.
    std::string Socket() const { return runtime_dir_ + "/" + display_; }

    // Runs swaymsg with these arguments; true when it succeeded.
    bool Swaymsg(const std::vector<std::string>& args);
    // The names of the outputs, as sway reports them (HEADLESS-1, ...).
    std::vector<std::string> OutputNames();

    // A picture of one output as the compositor shows it.
    Image Screenshot(const std::string& output = "HEADLESS-1");

    bool Running() { return sway_->Running(); }
    // Lets clients of any user connect, as a test of a program run as
    // another user needs.
    void OpenToAll();

private:
    std::string runtime_dir_;
    std::string display_;
    std::string ipc_socket_;
    std::unique_ptr<Process> sway_;
    int shots_ = 0;
};

// A compositor that offers no session lock: weston, headless. Throws when
// it does not come up.
class LocklessCompositor {
public:
    LocklessCompositor();
    ~LocklessCompositor();
    Environment Env() const;

private:
    std::string runtime_dir_;
    std::unique_ptr<Process> weston_;
};

}  // namespace wayland
