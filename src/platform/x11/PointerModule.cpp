// umbrafold-pointer.so: pointer shapes through the cursor theme (Modules.h).
// Plain calls into C libraries and nothing of the C++ runtime, so the
// module loads no more than those libraries.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <xcb/xcb_cursor.h>
#include <xcb/xfixes.h>

namespace {

xcb_cursor_context_t* g_context = nullptr;
bool g_asked_xfixes = false, g_can_name = false;

// XFixes takes requests only from a client that has told it its version.
bool can_name(xcb_connection_t* c) {
    if (g_asked_xfixes) return g_can_name;
    g_asked_xfixes = true;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (!extension || !extension->present) return false;
    xcb_xfixes_query_version_reply_t* version =
        xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 2, 0), nullptr);
    g_can_name = version && version->major_version >= 2;
    std::free(version);
    return g_can_name;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) xcb_cursor_t umbrafold_load_pointer(xcb_connection_t* c,
                                                                                     xcb_screen_t* screen,
                                                                                     const char* name) {
    if (!g_context && xcb_cursor_context_new(c, screen, &g_context) < 0) g_context = nullptr;
    if (!g_context) return XCB_NONE;
    const xcb_cursor_t cursor = xcb_cursor_load_cursor(g_context, name);
    if (cursor != XCB_NONE && can_name(c))
        xcb_xfixes_set_cursor_name(c, cursor, static_cast<std::uint16_t>(std::strlen(name)), name);
    return cursor;
}
