// Xlib and Xft drawing into a back buffer.
#include "platform/x11/Drawing.h"

#include <cstring>
#include <deque>
#include <vector>
#include <unistd.h>

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

// Controls whose font is not given use the dialog font of the platform the
// dialog was designed on; Arial at 8 points is its closest common match.
constexpr const char* kDialogFace = "Arial";
constexpr double kDialogPoints = 8;

}  // namespace

Colour ResolveColour(Colour colour, Colour fallback) {
    if (colour == ui::kDefaultColour) return fallback;
    if (colour & ui::kSystemColour) {
        switch (colour & 0xFF) {
        case 5: return kWindowBack;
        case 8: return kWindowText;
        case 15: return kFace;
        case 16: return kShadow;
        case 18: return kWindowText;
        default: return fallback;
        }
    }
    return colour;
}

// Fontconfig's own start-up parses the fifty-odd XML files under
// /etc/fonts and reads the cache of every font directory, two thirds of all
// the work before the dialog is up, only to learn that Arial is Liberation
// Sans. The dialog needs two faces of one family: where they are installed,
// a configuration that holds just those two files gives the same match.
// Without them, fontconfig starts as usual and finds whatever it can.
namespace {

bool UseLeanFontConfig() {
    static const char* const kFaces[][2] = {
        {"/usr/share/fonts/truetype/msttcorefonts/Arial.ttf",
         "/usr/share/fonts/truetype/msttcorefonts/Arial_Bold.ttf"},
        {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
         "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"},
    };
    for (const auto& pair : kFaces) {
        if (access(pair[0], R_OK) != 0 || access(pair[1], R_OK) != 0) continue;
        FcConfig* config = FcConfigCreate();
        if (config && FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(pair[0])) &&
            FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(pair[1])) &&
            FcConfigSetCurrent(config))
            return true;  // Xft's FcInit now finds a configuration and loads no other
        if (config) FcConfigDestroy(config);
    }
    return false;
}

}  // namespace

XftFont* OpenFont(const ui::Font& font) {
    const char* face = font.face ? font.face : kDialogFace;
    const double points = font.face ? font.points : kDialogPoints;
    for (const CachedFont& f : g_fonts)
        if (std::strcmp(f.face, face) == 0 && f.points == points && f.bold == font.bold) return f.font;
    static const bool lean = UseLeanFontConfig();
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
    if (!opened) {
        if (match) FcPatternDestroy(match);
        Fail("cannot open any font", 1);
    }
    g_fonts.push_back({face, points, font.bold, opened});
    return opened;
}

int TextWidth(XftFont* font, std::string_view utf8) {
    XGlyphInfo extents{};
    XftTextExtentsUtf8(g_x.display, font, reinterpret_cast<const FcChar8*>(utf8.data()),
                       static_cast<int>(utf8.size()), &extents);
    return extents.xOff;
}

Canvas::~Canvas() {
    if (draw_) XftDrawDestroy(draw_);
    if (buffer_) XFreePixmap(g_x.display, buffer_);
    if (gc_) XFreeGC(g_x.display, gc_);
}

void Canvas::Fit(::Window target, int width, int height) {
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

XftColor* Canvas::Resolve(Colour colour) {
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

void Canvas::Fill(const Rect& r, Colour colour) {
    if (r.w <= 0 || r.h <= 0) return;
    XSetForeground(g_x.display, gc_, Resolve(colour)->pixel);
    XFillRectangle(g_x.display, buffer_, gc_, r.x, r.y, static_cast<unsigned>(r.w),
                   static_cast<unsigned>(r.h));
}

// One ring of a 3D frame: top and left in one colour, bottom and right in
// the other.
static void Ring(Canvas& canvas, const Rect& r, Colour top_left, Colour bottom_right) {
    canvas.Fill({r.x, r.y, r.w - 1, 1}, top_left);
    canvas.Fill({r.x, r.y, 1, r.h - 1}, top_left);
    canvas.Fill({r.x, r.y + r.h - 1, r.w, 1}, bottom_right);
    canvas.Fill({r.x + r.w - 1, r.y, 1, r.h}, bottom_right);
}

static Rect Inset(const Rect& r, int by) { return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by}; }

void Canvas::DrawFrame(const Rect& r, Frame frame) {
    switch (frame) {
    case Frame::Raised:
        Ring(*this, r, kHighlight, kDarkShadow);
        Ring(*this, Inset(r, 1), kLight, kShadow);
        break;
    case Frame::Pushed:
        Ring(*this, r, kDarkShadow, kDarkShadow);
        Ring(*this, Inset(r, 1), kShadow, kShadow);
        break;
    case Frame::Sunken:
        Ring(*this, r, kShadow, kHighlight);
        Ring(*this, Inset(r, 1), kDarkShadow, kLight);
        break;
    case Frame::Etched:
        Ring(*this, r, kShadow, kHighlight);
        Ring(*this, Inset(r, 1), kHighlight, kShadow);
        break;
    case Frame::Dialog:
        Ring(*this, r, kLight, kDarkShadow);
        Ring(*this, Inset(r, 1), kHighlight, kShadow);
        Ring(*this, Inset(r, 2), kFace, kFace);
        break;
    case Frame::Flat:
        Ring(*this, r, kDarkShadow, kDarkShadow);
        break;
    }
}

void Canvas::DottedRect(const Rect& r) {
    XSetForeground(g_x.display, gc_, Resolve(kDarkShadow)->pixel);
    for (int x = r.x; x < r.x + r.w; x += 2) {
        XDrawPoint(g_x.display, buffer_, gc_, x, r.y);
        XDrawPoint(g_x.display, buffer_, gc_, x, r.y + r.h - 1);
    }
    for (int y = r.y; y < r.y + r.h; y += 2) {
        XDrawPoint(g_x.display, buffer_, gc_, r.x, y);
        XDrawPoint(g_x.display, buffer_, gc_, r.x + r.w - 1, y);
    }
}

void Canvas::Text(int x, int y, XftFont* font, Colour colour, std::string_view utf8, int underline) {
    XftColor* c = Resolve(colour);
    XftDrawStringUtf8(draw_, c, font, x, y + font->ascent,
                      reinterpret_cast<const FcChar8*>(utf8.data()), static_cast<int>(utf8.size()));
    if (underline < 0 || underline >= static_cast<int>(utf8.size())) return;
    const int from = x + TextWidth(font, utf8.substr(0, static_cast<std::size_t>(underline)));
    const int width = TextWidth(font, utf8.substr(static_cast<std::size_t>(underline), 1));
    Fill({from, y + font->ascent + 1, width, 1}, colour);
}

void Canvas::CopyArea(Pixmap source, Pixmap mask, int width, int height, int x, int y) {
    XSetClipMask(g_x.display, gc_, mask);
    XSetClipOrigin(g_x.display, gc_, x, y);
    XCopyArea(g_x.display, source, buffer_, gc_, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height), x, y);
    XSetClipMask(g_x.display, gc_, None);
}

void Canvas::Present(const Rect& r) {
    XCopyArea(g_x.display, buffer_, target_, gc_, r.x, r.y, static_cast<unsigned>(r.w),
              static_cast<unsigned>(r.h), r.x, r.y);
}

}  // namespace x11
