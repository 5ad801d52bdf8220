// Sending the painted dialog to its window in the screen's pixel format.
#include "platform/x11/ImageSurface.h"

#include <algorithm>
#include <cstring>

#include "platform/x11/Display.h"

namespace x11 {
namespace {

constexpr std::size_t kBytesARequest = 16 * 1024;

bool host_is_big_endian() {
    const std::uint32_t one = 1;
    std::uint8_t first = 0;
    std::memcpy(&first, &one, 1);
    return first == 0;
}

// Where an 8-bit channel goes in a pixel with this mask.
struct Channel {
    int shift = 0, bits = 8;
    explicit Channel(std::uint32_t mask) {
        if (!mask) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        bits = 0;
        for (; mask & 1; mask >>= 1) ++bits;
    }
    std::uint32_t place(std::uint32_t value) const {
        value = bits <= 8 ? value >> (8 - bits) : value << (bits - 8);
        return value << shift;
    }
};

std::uint32_t screen_pixel(const Channel& red, const Channel& green, const Channel& blue, std::uint32_t rgb) {
    return red.place(rgb >> 16 & 0xFF) | green.place(rgb >> 8 & 0xFF) | blue.place(rgb & 0xFF);
}

}  // namespace

std::uint32_t ImageSurface::pixel(std::uint32_t rgb) {
    const PixelFormat& format = g_x.format;
    return screen_pixel(Channel(format.red_mask), Channel(format.green_mask), Channel(format.blue_mask), rgb);
}

ImageSurface::~ImageSurface() {
    if (gc_) xcb_free_gc(g_x.c, gc_);
}

canvas::Canvas ImageSurface::fit(xcb_window_t target, int width, int height) {
    target_ = target;
    if (!gc_) {
        gc_ = xcb_generate_id(g_x.c);
        xcb_create_gc(g_x.c, gc_, g_x.root, 0, nullptr);
    }
    if (width != canvas_.width || height != canvas_.height) {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        canvas_ = {pixels_.data(), width, height};
    }
    return canvas_;
}

void ImageSurface::present(const Rect& area) {
    const int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
    const int x1 = std::min(area.x + area.w, canvas_.width), y1 = std::min(area.y + area.h, canvas_.height);
    if (x0 >= x1 || y0 >= y1) return;
    const PixelFormat& format = g_x.format;
    const Channel red(format.red_mask), green(format.green_mask), blue(format.blue_mask);
    const int bytes = format.bits_per_pixel / 8;
    // Rows are padded to 32 bits, as every server pads its images.
    const std::size_t stride = (static_cast<std::size_t>((x1 - x0) * bytes) + 3) & ~std::size_t{3};
    // A few rows a request, so the converted copy stays small; never more
    // than a request may hold.
    const std::size_t room = static_cast<std::size_t>(xcb_get_setup(g_x.c)->maximum_request_length) * 4 - 32;
    const int rows_a_request = static_cast<int>(std::max<std::size_t>(1, std::min(room, kBytesARequest) / stride));
    // The screen's own layout is the canvas's: 32 bits, red, green, blue
    // from the top byte down, in this machine's byte order.
    const bool same_layout = bytes == 4 && format.red_mask == 0xFF0000 && format.green_mask == 0xFF00 &&
                             format.blue_mask == 0xFF && format.most_significant_first == host_is_big_endian();
    for (int top = y0; top < y1; top += rows_a_request) {
        const int rows = std::min(rows_a_request, y1 - top);
        const std::uint32_t* first = pixels_.data() + static_cast<std::size_t>(top * canvas_.width + x0);
        const std::uint8_t* data = reinterpret_cast<const std::uint8_t*>(first);
        if (!same_layout || x1 - x0 != canvas_.width) {
            image_.assign(stride * static_cast<std::size_t>(rows), 0);
            for (int row = 0; row < rows; ++row) {
                std::uint8_t* out = image_.data() + stride * static_cast<std::size_t>(row);
                const std::uint32_t* in = first + static_cast<std::size_t>(row * canvas_.width);
                if (same_layout) {
                    std::memcpy(out, in, static_cast<std::size_t>(x1 - x0) * 4);
                    continue;
                }
                for (int column = 0; column < x1 - x0; ++column, out += bytes) {
                    const std::uint32_t value = screen_pixel(red, green, blue, in[column]);
                    for (int b = 0; b < bytes; ++b) {
                        const int at = format.most_significant_first ? bytes - 1 - b : b;
                        out[at] = static_cast<std::uint8_t>(value >> (8 * b));
                    }
                }
            }
            data = image_.data();
        }
        xcb_put_image(g_x.c, XCB_IMAGE_FORMAT_Z_PIXMAP, target_, gc_, static_cast<std::uint16_t>(x1 - x0),
                      static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(x0), static_cast<std::int16_t>(top), 0,
                      g_x.screen->root_depth, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(rows)), data);
    }
}

}  // namespace x11
