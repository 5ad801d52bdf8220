// Starting sway and weston headless, talking to sway, taking pictures.
#include "compositor.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "wait.h"

namespace wayland {
namespace {

std::string MakeRuntimeDir() {
    char dir[] = "/tmp/umbrafold-wayland-XXXXXX";  // mkdtemp makes it 0700
    if (!mkdtemp(dir)) throw std::runtime_error("cannot make a runtime folder");
    return dir;
}

// The first file in dir whose name starts with prefix and does not end
// with ".lock".
std::string FindFile(const std::string& dir, const std::string& prefix) {
    std::string found;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d)) {
            const std::string name = entry->d_name;
            if (name.rfind(prefix, 0) == 0 && name.find(".lock") == std::string::npos) found = name;
        }
        closedir(d);
    }
    return found;
}

void RemoveTree(const std::string& dir) {
    const std::string command = "rm -rf '" + dir + "'";
    if (std::system(command.c_str()) != 0) {
        // A leftover folder in /tmp harms no later test: each makes its own.
    }
}

}  // namespace

std::string WhyNoCompositor() {
    if (access(SWAY_PATH, X_OK) != 0) return std::string("no sway at ") + SWAY_PATH + " (the wayland.compositor fixture builds it)";
    return {};
}

Compositor::Compositor(const CompositorOptions& options) : runtime_dir_(MakeRuntimeDir()) {
    const std::string config = runtime_dir_ + "/config";
    std::ofstream(config) << "output * resolution " << options.width << "x" << options.height << "\n"
                          << "output * scale " << options.scale << "\n"
                          // A pointer at rest shows nothing on the pictures.
                          << "seat * hide_cursor 100\n";
    Spawn spawn;
    spawn.argv = {SWAY_PATH, "-c", config};
    spawn.set_env = {{"XDG_RUNTIME_DIR", runtime_dir_},
                     {"WLR_BACKENDS", "headless"},
                     {"WLR_RENDERER", "pixman"},
                     {"WLR_LIBINPUT_NO_DEVICES", "1"},
                     {"WLR_HEADLESS_OUTPUTS", std::to_string(options.outputs)}};
    spawn.unset_env = {"WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK"};
    sway_ = std::make_unique<Process>(spawn);
    const bool up = e2e::WaitUntil([this] {
        display_ = FindFile(runtime_dir_, "wayland-");
        ipc_socket_ = FindFile(runtime_dir_, "sway-ipc.");
        return !display_.empty() && !ipc_socket_.empty();
    }, 20.0);
    if (!up) throw std::runtime_error("sway did not come up: " + sway_->Stderr());
    ipc_socket_ = runtime_dir_ + "/" + ipc_socket_;
    // Its outputs are there once it answers.
    if (!e2e::WaitUntil([this] { return !OutputNames().empty(); }, 20.0))
        throw std::runtime_error("sway shows no output: " + sway_->Stderr());
}

Compositor::~Compositor() {
    sway_->Kill();
    RemoveTree(runtime_dir_);
}

void Compositor::OpenToAll() {
    chmod(runtime_dir_.c_str(), 0711);
    chmod(Socket().c_str(), 0777);
}

Environment Compositor::Env() const {
    return {{"XDG_RUNTIME_DIR", runtime_dir_}, {"WAYLAND_DISPLAY", display_}, {"SWAYSOCK", ipc_socket_}};
}

bool Compositor::Swaymsg(const std::vector<std::string>& args) {
    Spawn spawn;
    spawn.argv = {SWAYMSG_PATH};
    spawn.argv.insert(spawn.argv.end(), args.begin(), args.end());
    spawn.set_env = Env();
    Process swaymsg(spawn);
    const auto status = swaymsg.WaitExit(10.0);
    return status && status->exited && status->code == 0;
}

std::vector<std::string> Compositor::OutputNames() {
    Spawn spawn;
    spawn.argv = {SWAYMSG_PATH, "-t", "get_outputs", "-r"};
    spawn.set_env = Env();
    Process swaymsg(spawn);
    if (!swaymsg.WaitExit(10.0)) return {};
    const std::string json = swaymsg.Stdout();
    std::vector<std::string> names;
    const std::string key = "\"name\": \"";
    for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
        at += key.size();
        names.push_back(json.substr(at, json.find('"', at) - at));
    }
    return names;
}

Image Compositor::Screenshot(const std::string& output) {
    const std::string file = runtime_dir_ + "/shot-" + std::to_string(shots_++) + ".ppm";
    Spawn spawn;
    spawn.argv = {GRIM_PATH, "-t", "ppm", "-o", output, file};
    spawn.set_env = Env();
    Process grim(spawn);
    const auto status = grim.WaitExit(10.0);
    Image image = status && status->exited && status->code == 0 ? ReadPpm(file) : Image{};
    unlink(file.c_str());
    return image;
}

LocklessCompositor::LocklessCompositor() : runtime_dir_(MakeRuntimeDir()) {
    Spawn spawn;
    spawn.argv = {WESTON_PATH, "--backend=headless-backend.so", "--socket=wayland-1", "--idle-time=0"};
    spawn.set_env = {{"XDG_RUNTIME_DIR", runtime_dir_}};
    spawn.unset_env = {"WAYLAND_DISPLAY", "DISPLAY"};
    weston_ = std::make_unique<Process>(spawn);
    if (!e2e::WaitUntil([this] { return !FindFile(runtime_dir_, "wayland-1").empty(); }, 20.0))
        throw std::runtime_error("weston did not come up: " + weston_->Stderr());
}

LocklessCompositor::~LocklessCompositor() {
    weston_->Kill();
    RemoveTree(runtime_dir_);
}

Environment LocklessCompositor::Env() const { return {{"XDG_RUNTIME_DIR", runtime_dir_}, {"WAYLAND_DISPLAY", "wayland-1"}}; }

}  // namespace wayland
