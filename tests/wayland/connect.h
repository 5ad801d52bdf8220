// A test client's connection: connected to a socket, with every global the
// compositor offers handed once to a registry listener.
#pragma once

#include <string>

#include <wayland-client.h>

namespace wayland {

// Throws when nothing answers on the socket.
wl_display* ConnectAndBind(const std::string& socket, const wl_registry_listener& listener, void* data);

}  // namespace wayland
