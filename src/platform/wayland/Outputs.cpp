// Binding outputs as they are plugged in, letting go as they are removed.
#include "platform/wayland/Outputs.h"

#include <algorithm>

#include "platform/wayland/Connection.h"
#include "platform/wayland/SessionLock.h"
#include "platform/wayland/Window.h"

namespace wl {
namespace {

Output* output_of(void* data) { return static_cast<Output*>(data); }

void on_geometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {}
void on_mode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void on_done(void* data, wl_output*) {
    Output& output = *output_of(data);
    output.announced = true;
    output_announced(output);
}
void on_scale(void* data, wl_output*, int32_t factor) { output_of(data)->scale = factor > 0 ? factor : 1; }

// Bound at version 3 at most: no name or description comes.
const wl_output_listener kOutputListener = {on_geometry, on_mode, on_done, on_scale, nullptr, nullptr};

}  // namespace

void add_output(std::uint32_t name, std::uint32_t version) {
    auto output = std::make_unique<Output>();
    output->name = name;
    // Version 2 tells the scale; 3 lets the program release the output.
    output->output = static_cast<wl_output*>(
        wl_registry_bind(g_wl.registry, name, &wl_output_interface, std::min<std::uint32_t>(version, 3)));
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    Output& added = *output;
    g_wl.outputs.push_back(std::move(output));
    // The protocol wants a lock surface on every output, a new one too.
    if (locking()) cover_output(added);
}

void remove_output(std::uint32_t name) {
    auto it = std::find_if(g_wl.outputs.begin(), g_wl.outputs.end(),
                           [name](const std::unique_ptr<Output>& o) { return o->name == name; });
    if (it == g_wl.outputs.end()) return;
    std::unique_ptr<Output> gone = std::move(*it);
    g_wl.outputs.erase(it);
    output_gone(*gone);
    uncover_output(*gone);
    if (wl_output_get_version(gone->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(gone->output);
    else
        wl_output_destroy(gone->output);
}

Output* first_covered_output() {
    for (const auto& o : g_wl.outputs)
        if (o->covered) return o.get();
    return nullptr;
}

Output* find_output(wl_surface* surface) {
    for (const auto& o : g_wl.outputs)
        if (o->surface == surface) return o.get();
    return nullptr;
}

}  // namespace wl
