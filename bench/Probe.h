// The observer's own X connection: it paints the root a marker colour, asks
// whether someone holds the grabs without ever taking them, and reads pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <xcb/xcb.h>

namespace bench {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct Image {
    Rect rect;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * rect.w + x)]; }
    bool operator==(const Image& other) const { return pixels == other.pixels; }
};

inline constexpr std::uint32_t kMarker = 0xFF00FF;

class Probe {
public:
    explicit Probe(const std::string& display);
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    int width() const { return screen_->width_in_pixels; }
    int height() const { return screen_->height_in_pixels; }
    // Both grabs held by another client and no sampled pixel of the root
    // showing the marker; the requests go out together, one round trip.
    bool Locked();
    // The Umbrafold lock window (WM_CLASS umbrafold, empty WM_NAME), if any.
    bool FindDialog(Rect* where);
    Image Grab(const Rect& r);

private:
    std::uint32_t ServerTime();

    xcb_connection_t* c_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    std::uint32_t future_ = 0;
    std::vector<Rect> samples_;
};

// The caret: a run of at least 8 black pixels one pixel wide with white on
// both sides, as drawn in an empty or filled password box. Returns its
// top-left, or false.
bool FindCaret(const Image& image, int* x, int* y, int* height);

}  // namespace bench
