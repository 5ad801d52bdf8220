// Making a window's standard controls from its layout table: classes,
// styles, fonts and pixel geometry.
#include <windows.h>

#include "platform/dialog/Layout.h"
#include "platform/win32/Backend.h"
#include "platform/win32/Resources.h"

namespace {

using ui::ControlDesc;
using ui::ControlKind;

struct Dpi {
    int x, y;
};

Dpi screen_dpi() {
    static const Dpi dpi = [] {
        HDC screen = GetDC(nullptr);
        const Dpi found{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
        return found;
    }();
    return dpi;
}

HFONT make_font(const ui::Font& font) {
    if (!font.face) return nullptr;
    // Heights are given negative, as the character's em height in pixels.
    const int height = -MulDiv(static_cast<int>(font.points * 100 + 0.5), screen_dpi().y, 7200);
    return CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, font.face);
}

HFONT font_of(const win32::Control& control) {
    return control.font ? control.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

struct Native {
    const char* class_name;
    DWORD style;
    DWORD ex_style;
};

Native native_for(const ControlDesc& desc) {
    const DWORD child = WS_CHILD | WS_VISIBLE | ((desc.flags & ui::kDisabled) ? WS_DISABLED : 0);
    switch (desc.kind) {
    case ControlKind::Label: {
        // Every label reports clicks; the window decides which mean anything.
        DWORD style = child | SS_NOTIFY | ((desc.flags & ui::kCentred) ? SS_CENTER : SS_LEFT);
        if (desc.flags & ui::kBorder) style |= WS_BORDER;
        return {"STATIC", style, (desc.flags & ui::kOpaque) ? 0u : DWORD{WS_EX_TRANSPARENT}};
    }
    case ControlKind::PasswordBox:
        return {"EDIT", child | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
        // Plain push buttons: neither is the default or the cancel button.
        return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::GroupBox:
        return {"BUTTON", child | BS_GROUPBOX, 0};
    case ControlKind::Image:
        return {"STATIC", child | SS_ICON, 0};
    }
    return {"STATIC", child, 0};
}

// A label that takes the size of its text, measured in its own font, with
// the access-key marker left out as it is when drawn.
SIZE text_size(HWND hwnd, HFONT font, const char* text) {
    RECT rect = {0, 0, 0, 0};
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The input-method editor is switched off for the password box. imm32 is
// missing from some systems, so it is looked up rather than linked.
void disable_input_method(HWND hwnd) {
    HMODULE imm = LoadLibraryA("imm32.dll");
    if (!imm) return;
    using Associate = HANDLE(WINAPI*)(HWND, HANDLE);
    auto associate = reinterpret_cast<Associate>(
        reinterpret_cast<void (*)()>(GetProcAddress(imm, "ImmAssociateContext")));
    if (associate) associate(hwnd, nullptr);
}

LRESULT CALLBACK password_box_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

void setup_password_box(ui::Window* window, HWND hwnd, const ControlDesc& desc) {
    SendMessageA(hwnd, EM_SETPASSWORDCHAR, '*', 0);
    SendMessageA(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(desc.max_length), 0);
    disable_input_method(hwnd);
    window->edit_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(password_box_proc)));
}

// Every typed character passes the window's key-press handler before the
// box sees it; a code of 0 drops it.
LRESULT on_char(ui::Window* window, HWND hwnd, WPARAM wparam, LPARAM lparam) {
    int code = static_cast<unsigned char>(wparam);
    window->events->on_key_press(win32::control_index(window, hwnd), code);
    if (code == 0) return 0;
    return CallWindowProcA(window->edit_proc, hwnd, WM_CHAR, static_cast<WPARAM>(code & 0xFF),
                           lparam);
}

LRESULT CALLBACK password_box_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    ui::Window* window = win32::window_of(GetParent(hwnd));
    if (message == WM_CHAR) return on_char(window, hwnd, wparam, lparam);
    LRESULT result = CallWindowProcA(window->edit_proc, hwnd, message, wparam, lparam);
    // Enter must arrive as a character, not be taken by the dialog manager
    // as a press of a default button.
    if (message == WM_GETDLGCODE && lparam) {
        const MSG* key = reinterpret_cast<const MSG*>(lparam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) result |= DLGC_WANTALLKEYS;
    }
    return result;
}

void create_control(ui::Window* window, int index) {
    const ControlDesc& desc = window->desc->controls[index];
    win32::Control& control = window->controls[index];
    // A group box's contents are placed in its own coordinates but are
    // siblings of it, as in any dialog.
    const dialog::Rect r = dialog::control_rect(*window->desc, index, screen_dpi().x, screen_dpi().y);
    const Native native = native_for(desc);
    const char* text = desc.kind == ControlKind::Image ? "" : desc.text;
    control.hwnd = CreateWindowExA(
        native.ex_style, native.class_name, text, native.style, r.x, r.y, r.w, r.h,
        window->hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::kFirstControlId + index)),
        GetModuleHandleA(nullptr), nullptr);
    control.font = make_font(desc.font);
    control.back = desc.back;
    if (desc.flags & ui::kOpaque) control.brush = CreateSolidBrush(win32::native_colour(desc.back, 0));
    SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_of(control)), FALSE);

    if (desc.kind == ControlKind::PasswordBox) setup_password_box(window, control.hwnd, desc);
    if (desc.kind == ControlKind::Image) {
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(UMBRAFOLD_ICON));
        SendMessageA(control.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    if (desc.kind == ControlKind::Label && (desc.flags & ui::kAutoSize)) {
        const SIZE size = text_size(control.hwnd, font_of(control), desc.text);
        SetWindowPos(control.hwnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

namespace win32 {

int twips_x(int twips) { return dialog::twips_to_pixels(twips, screen_dpi().x); }
int twips_y(int twips) { return dialog::twips_to_pixels(twips, screen_dpi().y); }

void create_controls(ui::Window* window) {
    const int count = static_cast<int>(window->desc->control_count);
    window->controls.assign(static_cast<std::size_t>(count), Control{});
    // The dialog manager's tab order is the order in which the children
    // were made; controls without a tab index come last.
    int order[dialog::kMaxControls];
    dialog::tab_order(*window->desc, order);
    for (int i = 0; i < count && i < dialog::kMaxControls; ++i) create_control(window, order[i]);
}

void free_control_resources(ui::Window* window) {
    for (Control& control : window->controls) {
        if (control.font) DeleteObject(control.font);
        if (control.brush) DeleteObject(control.brush);
        control.font = nullptr;
        control.brush = nullptr;
    }
}

}  // namespace win32
