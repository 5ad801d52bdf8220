// Xlib and Xft drawing into a back buffer.
#include "platform/x11/BufferPainter.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include <X11/Xutil.h>

#include "platform/fonts/LeanConfig.h"
#include "platform/posix/Fatal.h"
#include "umbrafold-icons.h"

namespace x11 {
namespace {

struct CachedColour {
    Colour value;
    XftColor colour;
};
// A deque, so the colours handed out stay where they are as more arrive.
std::deque<CachedColour> g_colours;

struct CachedFont {
    const char* face;
    double points;
    bool bold;
    XftFont* font;
};
std::vector<CachedFont> g_fonts;

}  // namespace

// Fonts are opened on first use and kept for the life of the program.
XftFont* BufferPainter::open_font(const ui::Font& font) {
    const char* face = font.face;
    const double points = font.points;
    for (const CachedFont& f : g_fonts)
        if (std::strcmp(f.face, face) == 0 && f.points == points && f.bold == font.bold) return f.font;
    static const bool lean = fonts::use_lean_font_config();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    FcPatternAddDouble(pattern, FC_SIZE, points);
    FcPatternAddDouble(pattern, FC_DPI, x_.dpi);
    FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
    if (lean) {
        // What Debian's default configuration would have added.
        FcPatternAddInteger(pattern, FC_HINT_STYLE, FC_HINT_SLIGHT);
        FcPatternAddInteger(pattern, FC_LCD_FILTER, FC_LCD_DEFAULT);
    }
    FcResult result = FcResultNoMatch;
    FcPattern* match = XftFontMatch(x_.display, x_.screen, pattern, &result);
    FcPatternDestroy(pattern);
    XftFont* opened = match ? XftFontOpenPattern(x_.display, match) : nullptr;
    if (!opened) posix::fatal("cannot open any font", "fontconfig matches none");
    g_fonts.push_back({face, points, font.bold, opened});
    return opened;
}

dialog::FontMetrics BufferPainter::metrics(const ui::Font& font) {
    const XftFont* opened = open_font(font);
    return {opened->ascent, opened->descent};
}

int BufferPainter::text_width(const ui::Font& font, std::string_view utf8) {
    XGlyphInfo extents{};
    XftTextExtentsUtf8(x_.display, open_font(font), reinterpret_cast<const FcChar8*>(utf8.data()),
                       static_cast<int>(utf8.size()), &extents);
    return extents.xOff;
}

BufferPainter::~BufferPainter() {
    if (draw_) XftDrawDestroy(draw_);
    if (buffer_) XFreePixmap(x_.display, buffer_);
    if (gc_) XFreeGC(x_.display, gc_);
}

void BufferPainter::fit(::Window target, int width, int height) {
    if (buffer_ && target == target_ && width <= width_ && height <= height_) return;
    if (draw_) XftDrawDestroy(draw_);
    if (buffer_) XFreePixmap(x_.display, buffer_);
    target_ = target;
    width_ = width;
    height_ = height;
    buffer_ = XCreatePixmap(x_.display, target, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), static_cast<unsigned>(x_.depth));
    if (!gc_) gc_ = XCreateGC(x_.display, buffer_, 0, nullptr);
    draw_ = XftDrawCreate(x_.display, buffer_, x_.visual, x_.colormap);
}

XftColor* BufferPainter::resolve(Colour colour) {
    for (CachedColour& c : g_colours)
        if (c.value == colour) return &c.colour;
    XRenderColor render{};
    render.red = static_cast<unsigned short>((colour & 0xFF) * 0x101);
    render.green = static_cast<unsigned short>(((colour >> 8) & 0xFF) * 0x101);
    render.blue = static_cast<unsigned short>(((colour >> 16) & 0xFF) * 0x101);
    render.alpha = 0xFFFF;
    CachedColour cached{colour, {}};
    XftColorAllocValue(x_.display, x_.visual, x_.colormap, &render, &cached.colour);
    g_colours.push_back(cached);
    return &g_colours.back().colour;
}

void BufferPainter::fill(const Rect& r, Colour colour) {
    if (r.w <= 0 || r.h <= 0) return;
    XSetForeground(x_.display, gc_, resolve(colour)->pixel);
    XFillRectangle(x_.display, buffer_, gc_, r.x, r.y, static_cast<unsigned>(r.w),
                   static_cast<unsigned>(r.h));
}

void BufferPainter::text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) {
    XftFont* opened = open_font(font);
    XftDrawStringUtf8(draw_, resolve(colour), opened, x, y + opened->ascent,
                      reinterpret_cast<const FcChar8*>(utf8.data()), static_cast<int>(utf8.size()));
}

// The icon's pixels, in whatever layout the visual has, and a bitmap of its
// opaque ones; made on the first paint that shows it, kept from then on.
void BufferPainter::icon(int x, int y) {
    static Pixmap icon = 0, mask = 0;
    constexpr int kSize = 32;
    if (!icon) {
        const unsigned long* argb = umbrafold_argb_32 + 2;
        XImage* image = XCreateImage(x_.display, x_.visual, static_cast<unsigned>(x_.depth), ZPixmap, 0, nullptr,
                                     kSize, kSize, 32, 0);
        if (!image) return;
        image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(image->bytes_per_line), kSize));
        char opaque[kSize * kSize / 8] = {};  // rows of bits, least significant first
        for (int row = 0; row < kSize; ++row) {
            for (int column = 0; column < kSize; ++column) {
                const unsigned long p = argb[row * kSize + column];
                if (!(p >> 24)) continue;
                const Colour bgr = static_cast<Colour>((p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF));
                XPutPixel(image, column, row, resolve(bgr)->pixel);
                opaque[row * kSize / 8 + column / 8] = static_cast<char>(opaque[row * kSize / 8 + column / 8] |
                                                                        1 << (column % 8));
            }
        }
        icon = XCreatePixmap(x_.display, x_.root, kSize, kSize, static_cast<unsigned>(x_.depth));
        XPutImage(x_.display, icon, gc_, image, 0, 0, 0, 0, kSize, kSize);
        XDestroyImage(image);
        mask = XCreateBitmapFromData(x_.display, x_.root, opaque, kSize, kSize);
    }
    XSetClipMask(x_.display, gc_, mask);
    XSetClipOrigin(x_.display, gc_, x, y);
    XCopyArea(x_.display, icon, buffer_, gc_, 0, 0, kSize, kSize, x, y);
    XSetClipMask(x_.display, gc_, None);
}

void BufferPainter::present(const Rect& r) {
    XCopyArea(x_.display, buffer_, target_, gc_, r.x, r.y, static_cast<unsigned>(r.w),
              static_cast<unsigned>(r.h), r.x, r.y);
}

}  // namespace x11

// The module's entry point (BackBuffer.h); its one exported symbol.
extern "C" __attribute__((visibility("default"))) x11::BackBuffer* umbrafold_make_back_buffer(
    const x11::Connection* connection) {
    return new x11::BufferPainter(*connection);
}
