// One round trip brings every global; the registry is not needed after.
#include "connect.h"

#include <stdexcept>

namespace wayland {

wl_display* ConnectAndBind(const std::string& socket, const wl_registry_listener& listener, void* data) {
    wl_display* display = wl_display_connect(socket.c_str());
    if (!display) throw std::runtime_error("cannot connect to " + socket);
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, data);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    return display;
}

}  // namespace wayland
