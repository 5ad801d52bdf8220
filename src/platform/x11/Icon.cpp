// _NET_WM_ICON: width, height, then ARGB pixels, for each size; the pixels
// are made from the XPM icons at build time (resources/xpm2png.cpp).
#include "platform/x11/Icon.h"

#include "platform/x11/Display.h"
#include "umbrafold-icons.h"

namespace x11 {

void set_window_icon(xcb_window_t xwindow) {
    const auto set = [xwindow](const std::uint32_t* icon, std::size_t count, std::uint8_t mode) {
        xcb_change_property(g_x.c, mode, xwindow, g_x.atoms.net_wm_icon, XCB_ATOM_CARDINAL, 32,
                            static_cast<std::uint32_t>(count), icon);
    };
    set(umbrafold_argb_32, sizeof umbrafold_argb_32 / sizeof *umbrafold_argb_32, XCB_PROP_MODE_REPLACE);
    set(umbrafold_argb_16, sizeof umbrafold_argb_16 / sizeof *umbrafold_argb_16, XCB_PROP_MODE_APPEND);
}

}  // namespace x11
