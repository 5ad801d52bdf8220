// What the windows above read and change on the controls, and the
// notifications and colour requests the controls send back.
#include <windows.h>

#include "lock/SecretText.h"
#include "platform/win32/Backend.h"

namespace {

using ui::ControlKind;

// The seam names system colours by the indices the system gives them.
static_assert(ui::kWindowColour == COLOR_WINDOW && ui::kWindowTextColour == COLOR_WINDOWTEXT &&
              ui::kButtonFaceColour == COLOR_3DFACE && ui::kButtonShadowColour == COLOR_3DSHADOW &&
              ui::kButtonTextColour == COLOR_BTNTEXT);

HWND hwnd_of(ui::Window* window, int control) { return window->controls[control].hwnd; }

void on_command(ui::Window* window, int index, int code) {
    const ControlKind kind = window->desc->controls[index].kind;
    if (kind == ControlKind::PasswordBox && code == EN_CHANGE) {
        window->events->on_change(index);
    } else if (kind == ControlKind::PushButton && code == BN_CLICKED) {
        // An access key may name a button that is disabled at the moment;
        // a disabled button is never pressed.
        if (IsWindowEnabled(hwnd_of(window, index))) window->events->on_click(index);
    } else if (kind == ControlKind::Label && (code == STN_CLICKED || code == STN_DBLCLK)) {
        // A quick second click arrives as a double click; to the user it
        // is one more click.
        window->events->on_click(index);
    }
}

// Labels draw their text in their own colour, on their own brush when
// opaque and on whatever lies beneath when transparent.
bool on_colour_static(ui::Window* window, int index, HDC dc, LRESULT* result) {
    const ui::ControlDesc& desc = window->desc->controls[index];
    if (desc.kind != ControlKind::Label) return false;
    SetTextColor(dc, win32::native_colour(desc.fore, GetSysColor(ui::kWindowTextColour)));
    const win32::Control& control = window->controls[index];
    if (control.brush) {
        SetBkColor(dc, win32::native_colour(control.back, GetSysColor(ui::kButtonFaceColour)));
        *result = reinterpret_cast<LRESULT>(control.brush);
    } else {
        SetBkMode(dc, TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return true;
}

}  // namespace

namespace win32 {

int control_index(const ui::Window* window, HWND child) {
    if (!child) return -1;
    for (std::size_t i = 0; i < window->controls.size(); ++i)
        if (window->controls[i].hwnd == child) return static_cast<int>(i);
    return -1;
}

COLORREF native_colour(Colour colour, COLORREF fallback) {
    if (colour == ui::kDefaultColour) return fallback;
    if (colour & ui::kSystemColour) return GetSysColor(static_cast<int>(ui::system_colour_index(colour)));
    return colour;
}

bool route_control_message(ui::Window* window, UINT message, WPARAM wparam, LPARAM lparam,
                           LRESULT* result) {
    if (message != WM_COMMAND && message != WM_CTLCOLORSTATIC) return false;
    const int index = control_index(window, reinterpret_cast<HWND>(lparam));
    if (index < 0) return false;
    if (message == WM_CTLCOLORSTATIC)
        return on_colour_static(window, index, reinterpret_cast<HDC>(wparam), result);
    if (window->ready) on_command(window, index, HIWORD(wparam));
    *result = 0;
    return true;
}

}  // namespace win32

namespace ui {

SecretText text(Window* window, int control) {
    char buffer[SecretText::kCapacity + 1];
    const int length = GetWindowTextA(hwnd_of(window, control), buffer, sizeof buffer);
    SecretText result(std::string_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0));
    WipeBytes(buffer, sizeof buffer);
    return result;
}

void set_text(Window* window, int control, const SecretText& text) {
    char buffer[SecretText::kCapacity + 1] = {};
    text.view().copy(buffer, SecretText::kCapacity);
    // The edit control reports EN_CHANGE from inside this call, so the
    // change handler has run when it returns.
    SetWindowTextA(hwnd_of(window, control), buffer);
    WipeBytes(buffer, sizeof buffer);
}

bool enabled(Window* window, int control) { return IsWindowEnabled(hwnd_of(window, control)) != 0; }

void set_enabled(Window* window, int control, bool enabled) {
    HWND hwnd = hwnd_of(window, control);
    // A disabled control cannot keep the focus: it moves on to the next
    // control in tab order, as a dialog's focus does.
    if (!enabled && GetFocus() == hwnd) SendMessageA(window->hwnd, WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(hwnd, enabled);
}

void set_caption(Window* window, int control, const char* caption) {
    SetWindowTextA(hwnd_of(window, control), caption);
}

void set_back_colour(Window* window, int control, Colour colour) {
    win32::Control& state = window->controls[control];
    HBRUSH old = state.brush;
    state.back = colour;
    state.brush = CreateSolidBrush(win32::native_colour(colour, GetSysColor(ui::kButtonFaceColour)));
    if (old) DeleteObject(old);
    InvalidateRect(state.hwnd, nullptr, TRUE);
}

}  // namespace ui
