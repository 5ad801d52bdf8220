// Xlib and Xft drawing into a back buffer.
#include "platform/x11/BufferPainter.h"

#include <cstring>
#include <deque>
#include <vector>

#include <X11/xpm.h>

#include "platform/fonts/LeanConfig.h"
#include "platform/posix/Fatal.h"
#include "umbrafold-32.xpm"

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

// Fonts are opened on first use and kept for the life of the program.
XftFont* open_font(const ui::Font& font) {
    const char* face = font.face;
    const double points = font.points;
    for (const CachedFont& f : g_fonts)
        if (std::strcmp(f.face, face) == 0 && f.points == points && f.bold == font.bold) return f.font;
    static const bool lean = fonts::use_lean_font_config();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    FcPatternAddDouble(pattern, FC_SIZE, points);
    FcPatternAddDouble(pattern, FC_DPI, g_x.dpi);
    FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
    if (lean) {
        // What Debian's default configuration would have added.
        FcPatternAddInteger(pattern, FC_HINT_STYLE, FC_HINT_SLIGHT);
        FcPatternAddInteger(pattern, FC_LCD_FILTER, FC_LCD_DEFAULT);
    }
    FcResult result = FcResultNoMatch;
    FcPattern* match = XftFontMatch(g_x.display, g_x.screen, pattern, &result);
    FcPatternDestroy(pattern);
    XftFont* opened = match ? XftFontOpenPattern(g_x.display, match) : nullptr;
    if (!opened) posix::fatal("cannot open any font", "fontconfig matches none");
    g_fonts.push_back({face, points, font.bold, opened});
    return opened;
}

}  // namespace

dialog::FontMetrics BufferPainter::metrics(const ui::Font& font) {
    const XftFont* opened = open_font(font);
    return {opened->ascent, opened->descent};
}

int BufferPainter::text_width(const ui::Font& font, std::string_view utf8) {
    XGlyphInfo extents{};
    XftTextExtentsUtf8(g_x.display, open_font(font), reinterpret_cast<const FcChar8*>(utf8.data()),
                       static_cast<int>(utf8.size()), &extents);
    return extents.xOff;
}

BufferPainter::~BufferPainter() {
    if (draw_) XftDrawDestroy(draw_);
    if (buffer_) XFreePixmap(g_x.display, buffer_);
    if (gc_) XFreeGC(g_x.display, gc_);
}

void BufferPainter::fit(::Window target, int width, int height) {
    if (buffer_ && target == target_ && width <= width_ && height <= height_) return;
    if (draw_) XftDrawDestroy(draw_);
    if (buffer_) XFreePixmap(g_x.display, buffer_);
    target_ = target;
    width_ = width;
    height_ = height;
    buffer_ = XCreatePixmap(g_x.display, target, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), static_cast<unsigned>(g_x.depth));
    if (!gc_) gc_ = XCreateGC(g_x.display, buffer_, 0, nullptr);
    draw_ = XftDrawCreate(g_x.display, buffer_, g_x.visual, g_x.colormap);
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
    XftColorAllocValue(g_x.display, g_x.visual, g_x.colormap, &render, &cached.colour);
    g_colours.push_back(cached);
    return &g_colours.back().colour;
}

void BufferPainter::fill(const Rect& r, Colour colour) {
    if (r.w <= 0 || r.h <= 0) return;
    XSetForeground(g_x.display, gc_, resolve(colour)->pixel);
    XFillRectangle(g_x.display, buffer_, gc_, r.x, r.y, static_cast<unsigned>(r.w),
                   static_cast<unsigned>(r.h));
}

void BufferPainter::text(int x, int y, const ui::Font& font, Colour colour, std::string_view utf8) {
    XftFont* opened = open_font(font);
    XftDrawStringUtf8(draw_, resolve(colour), opened, x, y + opened->ascent,
                      reinterpret_cast<const FcChar8*>(utf8.data()), static_cast<int>(utf8.size()));
}

void BufferPainter::icon(int x, int y) {
    static Pixmap icon = 0, mask = 0;
    static bool tried = false;
    if (!tried) {
        tried = true;
        XpmAttributes attributes{};
        attributes.valuemask = XpmVisual | XpmColormap | XpmDepth;
        attributes.visual = g_x.visual;
        attributes.colormap = g_x.colormap;
        attributes.depth = static_cast<unsigned>(g_x.depth);
        if (XpmCreatePixmapFromData(g_x.display, g_x.root, const_cast<char**>(umbrafold_icon_32), &icon, &mask,
                                    &attributes) != XpmSuccess)
            icon = 0;
    }
    if (!icon) return;
    XSetClipMask(g_x.display, gc_, mask);
    XSetClipOrigin(g_x.display, gc_, x, y);
    XCopyArea(g_x.display, icon, buffer_, gc_, 0, 0, 32, 32, x, y);
    XSetClipMask(g_x.display, gc_, None);
}

void BufferPainter::present(const Rect& r) {
    XCopyArea(g_x.display, buffer_, target_, gc_, r.x, r.y, static_cast<unsigned>(r.w),
              static_cast<unsigned>(r.h), r.x, r.y);
}

}  // namespace x11
