// Shared-memory buffers: the dialog's pool, from which each frame takes one
// the compositor has released (made anew when none is free), so the program
// never draws into one the compositor still reads; and plain black ones.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <wayland-client.h>

namespace wl {

struct Buffer {
    wl_buffer* buffer = nullptr;
    std::uint32_t* pixels = nullptr;  // XRGB, row after row
    int width = 0, height = 0;
    bool busy = false;   // the compositor holds it until it releases it
    bool stale = false;  // of an old size: dropped once released
    std::size_t bytes = 0;
    ~Buffer();
};

class BufferPool {
public:
    // A buffer of this size the compositor does not hold, made if need be.
    Buffer& next(int width, int height);

private:
    std::vector<std::unique_ptr<Buffer>> buffers_;
};

// A black buffer of this size in surface pixels.
wl_buffer* make_black_buffer(int width, int height);

}  // namespace wl
