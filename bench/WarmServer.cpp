// A line of text drawn with Xft, as any desktop client draws it.
#include "WarmServer.h"

#include <stdexcept>

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

namespace bench {

void WarmServer(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d) throw std::runtime_error("cannot open " + display + " to warm it");
    const int screen = DefaultScreen(d);
    Visual* visual = DefaultVisual(d, screen);
    const Colormap colormap = DefaultColormap(d, screen);
    const Pixmap target =
        XCreatePixmap(d, RootWindow(d, screen), 200, 40, static_cast<unsigned>(DefaultDepth(d, screen)));
    XftDraw* draw = XftDrawCreate(d, target, visual, colormap);
    XftFont* font = XftFontOpenName(d, screen, "sans-serif:size=10");
    XftColor ink{};
    const XRenderColor black{0, 0, 0, 0xFFFF};
    XftColorAllocValue(d, visual, colormap, &black, &ink);
    if (font) {
        const char text[] = "Warm";
        XftDrawStringUtf8(draw, &ink, font, 4, 20, reinterpret_cast<const FcChar8*>(text), sizeof text - 1);
        XftFontClose(d, font);
    }
    XSync(d, False);
    XftColorFree(d, visual, colormap, &ink);
    XftDrawDestroy(draw);
    XFreePixmap(d, target);
    XCloseDisplay(d);
}

}  // namespace bench
