// What the Win32 files share: the native state behind a ui::Window, and
// the conversions from the layout's twips and colours.
#pragma once

#include <vector>

#include <windows.h>

#include "platform/ui.h"

namespace win32 {

struct Control {
    HWND hwnd = nullptr;
    HFONT font = nullptr;    // nullptr: the stock dialog font, never freed
    Colour back = 0;         // for an opaque label
    HBRUSH brush = nullptr;  // painted behind an opaque label
};

}  // namespace win32

struct ui::Window {
    HWND hwnd = nullptr;
    const WindowDesc* desc = nullptr;
    FormEvents* events = nullptr;
    // One entry per entry of desc->controls, in the same order.
    std::vector<win32::Control> controls;
    // The password box's own window procedure, which the subclass calls on.
    WNDPROC edit_proc = nullptr;
    // Notifications raised while the controls are still being made would
    // reach handlers of a half-built window; they are dropped until then.
    bool ready = false;
};

namespace win32 {

// Identifiers of controls start above IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Escape on its own.
inline constexpr int kFirstControlId = 100;

// The window a native handle belongs to, or nullptr.
ui::Window* window_of(HWND hwnd);

// The index of a native child in its window's controls, or -1.
int control_index(const ui::Window* window, HWND child);

// Twips to pixels at the screen's resolution, rounded to the nearest.
int twips_x(int twips);
int twips_y(int twips);

// A layout colour as GDI wants it; fallback stands for kDefaultColour.
COLORREF native_colour(Colour colour, COLORREF fallback);

// Makes the native controls of a window whose own HWND already exists.
void create_controls(ui::Window* window);

// The window procedure's share of the controls: WM_COMMAND and the colour
// messages. Returns true when it answered the message in *result.
bool route_control_message(ui::Window* window, UINT message, WPARAM wparam, LPARAM lparam,
                           LRESULT* result);

// Frees the fonts and brushes a window's controls hold.
void free_control_resources(ui::Window* window);

}  // namespace win32
