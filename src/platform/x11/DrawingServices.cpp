// What the drawing module holds: FreeType's glyphs and the pointer
// shapes. Built into umbrafold-draw.so only (DrawingModule.h).
#include <cstdlib>
#include <cstring>

#include <xcb/xcb_cursor.h>
#include <xcb/xfixes.h>

#include "platform/fonts/FreeTypeGlyphs.h"
#include "platform/x11/DrawingModule.h"

namespace x11 {
namespace {

class Services final : public DrawingModule {
public:
    Services(xcb_connection_t* c, const xcb_screen_t* screen, double dpi) : c_(c), screen_(screen), fonts_(dpi) {}

    canvas::GlyphSource& glyphs() override { return fonts_; }

    xcb_cursor_t cursor(const char* name) override {
        if (!context_ && xcb_cursor_context_new(c_, const_cast<xcb_screen_t*>(screen_), &context_) < 0)
            context_ = nullptr;
        if (!context_) return XCB_NONE;
        const xcb_cursor_t cursor = xcb_cursor_load_cursor(context_, name);
        if (cursor != XCB_NONE && can_name())
            xcb_xfixes_set_cursor_name(c_, cursor, static_cast<std::uint16_t>(std::strlen(name)), name);
        return cursor;
    }

private:
    // XFixes takes requests only from a client that has told it its version.
    bool can_name() {
        if (asked_) return named_;
        asked_ = true;
        const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c_, &xcb_xfixes_id);
        if (!extension || !extension->present) return false;
        xcb_xfixes_query_version_reply_t* version =
            xcb_xfixes_query_version_reply(c_, xcb_xfixes_query_version(c_, 2, 0), nullptr);
        named_ = version && version->major_version >= 2;
        std::free(version);
        return named_;
    }

    xcb_connection_t* c_;
    const xcb_screen_t* screen_;
    fonts::FreeTypeGlyphs fonts_;
    xcb_cursor_context_t* context_ = nullptr;
    bool asked_ = false, named_ = false;
};

}  // namespace
}  // namespace x11

// The module's entry point (DrawingModule.h); its one exported symbol.
extern "C" __attribute__((visibility("default"))) x11::DrawingModule* umbrafold_open_drawing_module(
    xcb_connection_t* c, const xcb_screen_t* screen, double dpi) {
    return new x11::Services(c, screen, dpi);
}
