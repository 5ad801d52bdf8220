// Layout arithmetic over a window's description.
#include "platform/dialog/Layout.h"

namespace dialog {

int twips_to_pixels(int twips, double dpi) {
    const double pixels = twips * dpi / kTwipsPerInch;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

Rect control_rect(const ui::WindowDesc& window, int control, double dpi_x, double dpi_y) {
    const ui::ControlDesc& c = window.controls[control];
    Rect r{twips_to_pixels(c.left, dpi_x), twips_to_pixels(c.top, dpi_y), twips_to_pixels(c.width, dpi_x),
           twips_to_pixels(c.height, dpi_y)};
    if (c.parent >= 0) {
        const ui::ControlDesc& group = window.controls[c.parent];
        r.x += twips_to_pixels(group.left, dpi_x);
        r.y += twips_to_pixels(group.top, dpi_y);
    }
    return r;
}

bool takes_focus(const ui::ControlDesc& control) {
    return control.kind == ui::ControlKind::PasswordBox || control.kind == ui::ControlKind::PushButton;
}

int tab_order(const ui::WindowDesc& window, int (&order)[kMaxControls]) {
    const int count = window.control_count < kMaxControls ? static_cast<int>(window.control_count) : kMaxControls;
    int with_index = 0;
    // Insertion by tab index keeps equal ones in the description's order.
    for (int i = 0; i < count; ++i) {
        if (window.controls[i].tab_index < 0) continue;
        int at = with_index++;
        for (; at > 0 && window.controls[order[at - 1]].tab_index > window.controls[i].tab_index; --at)
            order[at] = order[at - 1];
        order[at] = i;
    }
    int filled = with_index;
    for (int i = 0; i < count; ++i)
        if (window.controls[i].tab_index < 0) order[filled++] = i;
    return with_index;
}

int parse_caption(const char* text, char* out, std::size_t capacity) {
    int access_key_at = -1;
    std::size_t length = 0;
    for (const char* p = text ? text : ""; *p && length + 1 < capacity; ++p) {
        if (*p == '&' && p[1] && p[1] != '&') {
            access_key_at = static_cast<int>(length);
            continue;
        }
        if (*p == '&' && p[1] == '&') ++p;
        out[length++] = *p;
    }
    if (capacity > 0) out[length] = '\0';
    return access_key_at < static_cast<int>(length) ? access_key_at : -1;
}

}  // namespace dialog
