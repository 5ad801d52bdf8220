// The pointer's shapes, from the user's cursor theme.
#pragma once

#include <cstdint>

#include <wayland-client.h>

namespace wl {

enum class Shape { Arrow, Help };

// Shows the shape while the pointer that entered with serial is over our
// surfaces, drawn for an output of this scale.
void set_cursor(wl_pointer* pointer, std::uint32_t serial, Shape shape, int scale);

}  // namespace wl
