// _NET_WM_ICON: width, height, then ARGB pixels, for each size.
#include "platform/x11/Icon.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include <X11/Xatom.h>
#include <X11/xpm.h>

#include "platform/x11/Display.h"
#include "umbrafold-16.xpm"
#include "umbrafold-32.xpm"

namespace x11 {
namespace {

unsigned long argb_of(const char* colour) {
    if (!colour || colour[0] != '#' || std::strlen(colour) != 7) return 0;  // "None": transparent
    return 0xFF000000ul | std::strtoul(colour + 1, nullptr, 16);
}

void append_icon(std::vector<long>& out, const char* const* data) {
    XpmImage image{};
    if (XpmCreateXpmImageFromData(const_cast<char**>(data), &image, nullptr) != XpmSuccess) return;
    out.push_back(static_cast<long>(image.width));
    out.push_back(static_cast<long>(image.height));
    for (unsigned i = 0; i < image.width * image.height; ++i)
        out.push_back(static_cast<long>(argb_of(image.colorTable[image.data[i]].c_color)));
    XpmFreeXpmImage(&image);
}

}  // namespace

void set_window_icon(::Window xwindow) {
    std::vector<long> icon;
    append_icon(icon, umbrafold_icon_32);
    append_icon(icon, umbrafold_icon_16);
    if (icon.empty()) return;
    XChangeProperty(g_x.display, xwindow, g_x.atoms.net_wm_icon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(icon.data()), static_cast<int>(icon.size()));
}

}  // namespace x11
