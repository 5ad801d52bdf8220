// _NET_WM_ICON: width, height, then ARGB pixels, for each size; the pixels
// are made from the XPM icons at build time (resources/xpm2png.cpp).
#include "platform/x11/Icon.h"

#include <X11/Xatom.h>

#include "platform/x11/Display.h"
#include "umbrafold-icons.h"

namespace x11 {

void set_window_icon(::Window xwindow) {
    const auto set = [xwindow](const unsigned long* icon, std::size_t count, int mode) {
        XChangeProperty(g_x.display, xwindow, g_x.atoms.net_wm_icon, XA_CARDINAL, 32, mode,
                        reinterpret_cast<const unsigned char*>(icon), static_cast<int>(count));
    };
    set(umbrafold_argb_32, sizeof umbrafold_argb_32 / sizeof *umbrafold_argb_32, PropModeReplace);
    set(umbrafold_argb_16, sizeof umbrafold_argb_16 / sizeof *umbrafold_argb_16, PropModeAppend);
}

}  // namespace x11
