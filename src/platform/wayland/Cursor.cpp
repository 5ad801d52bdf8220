// Cursor images through libwayland-cursor, which reads XCURSOR_THEME's
// theme (or the default one) at XCURSOR_SIZE, and falls back on shapes of
// its own where no theme is installed.
#include "platform/wayland/Cursor.h"

#include <cstdlib>

#include <wayland-cursor.h>

#include "platform/wayland/Connection.h"

namespace wl {
namespace {

constexpr int kDefaultSize = 24;

struct Theme {
    int scale = 0;
    wl_cursor_theme* theme = nullptr;
    wl_surface* surface = nullptr;
};

int cursor_size() {
    const char* size = std::getenv("XCURSOR_SIZE");
    const int parsed = size ? std::atoi(size) : 0;
    return parsed > 0 && parsed <= 256 ? parsed : kDefaultSize;
}

// The theme is read on first use, when the pointer first comes over us,
// and again only if the scale changes.
Theme& theme_for(int scale) {
    static Theme t;
    if (t.theme && t.scale == scale) return t;
    if (t.theme) wl_cursor_theme_destroy(t.theme);
    t.scale = scale;
    t.theme = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), cursor_size() * scale, g_wl.shm);
    if (!t.surface) t.surface = wl_compositor_create_surface(g_wl.compositor);
    return t;
}

wl_cursor* find(wl_cursor_theme* theme, Shape shape) {
    static const char* const kArrow[] = {"left_ptr", "default"};
    static const char* const kHelp[] = {"question_arrow", "help", "whats_this", "left_ptr", "default"};
    if (shape == Shape::Help)
        for (const char* name : kHelp)
            if (wl_cursor* c = wl_cursor_theme_get_cursor(theme, name)) return c;
    for (const char* name : kArrow)
        if (wl_cursor* c = wl_cursor_theme_get_cursor(theme, name)) return c;
    return nullptr;
}

}  // namespace

void set_cursor(wl_pointer* pointer, std::uint32_t serial, Shape shape, int scale) {
    Theme& t = theme_for(scale);
    wl_cursor* cursor = t.theme ? find(t.theme, shape) : nullptr;
    if (!cursor || cursor->image_count == 0) return;
    wl_cursor_image* image = cursor->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (!buffer) return;
    wl_surface_set_buffer_scale(t.surface, scale);
    wl_surface_attach(t.surface, buffer, 0, 0);
    wl_surface_damage_buffer(t.surface, 0, 0, static_cast<int32_t>(image->width), static_cast<int32_t>(image->height));
    wl_surface_commit(t.surface);
    wl_pointer_set_cursor(pointer, serial, t.surface, static_cast<int32_t>(image->hotspot_x) / scale,
                          static_cast<int32_t>(image->hotspot_y) / scale);
}

}  // namespace wl
