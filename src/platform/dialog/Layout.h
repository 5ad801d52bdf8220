// The layout arithmetic every backend shares, whether it draws its own
// controls or asks the system for them: twips to pixels, where a control
// sits, the tab order and the access key in a caption. Plain functions
// over the description, with no allocation, so any build can link them.
#pragma once

#include <cstddef>

#include "platform/dialog/Rect.h"
#include "platform/ui.h"

namespace dialog {

// The resolution the dialog was designed at, where 15 twips make a pixel.
inline constexpr double kDefaultDpi = 96.0;
inline constexpr double kTwipsPerInch = 1440.0;

// Rounded to the nearest pixel, half away from zero, so at 96 dpi every
// multiple of 15 twips is exact and the dialog keeps its proportions.
int twips_to_pixels(int twips, double dpi);

// A control's rectangle in pixels of the window's client area. A control
// inside a group box is placed in the box's coordinates; each part is
// rounded on its own, so a box's contents move with it by whole pixels.
Rect control_rect(const ui::WindowDesc& window, int control, double dpi_x, double dpi_y);

// Whether the control can hold the keyboard focus at all.
bool takes_focus(const ui::ControlDesc& control);

// The caption as drawn: '&' marks the next character as the access key and
// is left out, "&&" is a literal ampersand. Writes at most capacity - 1
// bytes and a terminating zero; returns the byte offset of the access key
// in out, or -1 without one.
int parse_caption(const char* text, char* out, std::size_t capacity);

// The most controls a window's description has.
inline constexpr int kMaxControls = 32;

// The window's controls in tab order: those with a tab index by that index,
// then those without one in the order of the description. Fills order with
// at most kMaxControls indexes and returns how many have a tab index.
int tab_order(const ui::WindowDesc& window, int (&order)[kMaxControls]);

// The control after `from` in tab order (before it for step -1) that can
// take the focus and that accept() lets have it, going round; `from`
// outside the order starts at the beginning (or the end). -1 when none will.
template <typename Accept>
int next_in_tab_order(const ui::WindowDesc& window, int from, int step, Accept accept) {
    int order[kMaxControls];
    const int n = tab_order(window, order);
    int at = n;
    for (int i = 0; i < n; ++i)
        if (order[i] == from) at = i;
    if (at == n) at = step > 0 ? -1 : n;
    for (int tries = 0; tries < n; ++tries) {
        at = ((at + step) % n + n) % n;
        const int candidate = order[at];
        if (takes_focus(window.controls[candidate]) && accept(candidate)) return candidate;
    }
    return -1;
}

}  // namespace dialog
