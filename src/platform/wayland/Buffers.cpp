// Buffers in memory files shared with the compositor.
#include "platform/wayland/Buffers.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/posix/Fatal.h"
#include "platform/wayland/Connection.h"

namespace wl {
namespace {

int memory_file(std::size_t bytes) {
    const int fd = memfd_create("umbrafold", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0) posix::fatal("cannot make a buffer", std::strerror(errno));
    if (ftruncate(fd, static_cast<off_t>(bytes)) != 0) posix::fatal("cannot make a buffer", std::strerror(errno));
    // The compositor maps it too; sealed, it cannot be shrunk under it.
    fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_SEAL);
    return fd;
}

wl_buffer* shared_buffer(int fd, int width, int height) {
    const int stride = width * 4;
    wl_shm_pool* pool = wl_shm_create_pool(g_wl.shm, fd, stride * height);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    return buffer;
}

void on_release(void* data, wl_buffer*) {
    Buffer* b = static_cast<Buffer*>(data);
    b->busy = false;
}

const wl_buffer_listener kBufferListener = {on_release};

}  // namespace

Buffer::~Buffer() {
    if (buffer) wl_buffer_destroy(buffer);
    if (pixels) munmap(pixels, bytes);
}

Buffer& BufferPool::next(int width, int height) {
    for (auto& b : buffers_)
        if (b->width != width || b->height != height) b->stale = true;
    buffers_.erase(std::remove_if(buffers_.begin(), buffers_.end(),
                                  [](const std::unique_ptr<Buffer>& b) { return b->stale && !b->busy; }),
                   buffers_.end());
    for (auto& b : buffers_)
        if (!b->busy && !b->stale) return *b;
    auto made = std::make_unique<Buffer>();
    made->width = width;
    made->height = height;
    made->bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    const int fd = memory_file(made->bytes);
    void* mapped = mmap(nullptr, made->bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) posix::fatal("cannot map a buffer", std::strerror(errno));
    made->pixels = static_cast<std::uint32_t*>(mapped);
    made->buffer = shared_buffer(fd, width, height);
    close(fd);
    wl_buffer_add_listener(made->buffer, &kBufferListener, made.get());
    buffers_.push_back(std::move(made));
    return *buffers_.back();
}

wl_buffer* make_black_buffer(int width, int height) {
    const int fd = memory_file(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    wl_buffer* buffer = shared_buffer(fd, width, height);
    close(fd);
    return buffer;
}

}  // namespace wl
