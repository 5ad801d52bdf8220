// The two top-level windows: their classes, placement, showing, and the
// window procedure that routes each message to one small handler.
#include <windows.h>

#include "platform/win32/Backend.h"
#include "platform/win32/Resources.h"

namespace {

const char kCoverClass[] = "UmbrafoldCover";
const char kDialogClass[] = "UmbrafoldDialog";

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

LRESULT default_proc(const ui::Window* window, HWND hwnd, UINT message, WPARAM wparam,
                     LPARAM lparam) {
    // Only a dialog's procedure handles WM_NEXTDLGCTL, which the dialog
    // manager sends for access keys and Tab, and keeps the focus across
    // activation; the lock window gets that work from DefDlgProc.
    if (window && window->desc->kind == ui::WindowKind::Dialog)
        return DefDlgProcA(hwnd, message, wparam, lparam);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

BOOL on_set_cursor(ui::Window* window, HWND over) {
    const int index = win32::control_index(window, over);
    if (index < 0 || !(window->desc->controls[index].flags & ui::kHelpCursor)) return FALSE;
    // The question-mark arrow is missing from the oldest systems.
    HCURSOR cursor = LoadCursorA(nullptr, IDC_HELP);
    SetCursor(cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT on_end_session(ui::Window* window, bool ending) {
    // The windows above decide; the session ends whatever they say.
    if (ending) window->events->on_end_request(ui::EndRequest::SessionEnd, 0);
    return 0;
}

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        auto* window = static_cast<ui::Window*>(create->lpCreateParams);
        window->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    ui::Window* window = win32::window_of(hwnd);
    if (!window) return DefWindowProcA(hwnd, message, wparam, lparam);

    LRESULT result = 0;
    if (win32::route_control_message(window, message, wparam, lparam, &result)) return result;
    switch (message) {
    case WM_SETCURSOR:
        if (on_set_cursor(window, reinterpret_cast<HWND>(wparam))) return TRUE;
        break;
    case WM_CLOSE:  // also what Alt+F4 becomes
        window->events->on_close_request();
        return 0;
    case WM_QUERYENDSESSION:
        // Unlocked, this ends the program as Exit does; locked, the handler
        // refuses, yet the session may still end.
        window->events->on_close_request();
        return TRUE;
    case WM_ENDSESSION:
        return on_end_session(window, wparam != 0);
    case WM_NCDESTROY:
        win32::free_control_resources(window);
        break;
    default:
        break;
    }
    return default_proc(window, hwnd, message, wparam, lparam);
}

void register_classes() {
    static bool registered = false;
    if (registered) return;
    registered = true;

    WNDCLASSEXA cover = {};
    cover.cbSize = sizeof cover;
    cover.lpfnWndProc = window_proc;
    cover.hInstance = instance();
    cover.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cover.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cover.lpszClassName = kCoverClass;
    RegisterClassExA(&cover);

    WNDCLASSEXA dialog = cover;
    dialog.cbWndExtra = DLGWINDOWEXTRA;
    dialog.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(ui::kButtonFaceColour + 1));
    dialog.hIcon = LoadIconA(instance(), MAKEINTRESOURCEA(UMBRAFOLD_ICON));
    dialog.hIconSm = static_cast<HICON>(LoadImageA(instance(), MAKEINTRESOURCEA(UMBRAFOLD_ICON),
                                                   IMAGE_ICON, 16, 16, 0));
    dialog.lpszClassName = kDialogClass;
    RegisterClassExA(&dialog);
}

// Every monitor, as the virtual screen; systems older than multiple
// monitors report 0 for those metrics and have the primary screen only.
RECT cover_rect() {
    RECT rect;
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width > 0 && height > 0) {
        rect.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        rect.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    } else {
        SetRect(&rect, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    return rect;
}

// The outer rectangle, centred on the primary screen. Its size comes from
// the twips of the client area and the frame together, as the heights of
// the fold do, rather than from the system's frame in pixels, which does
// not grow with the resolution: so at any dpi the window is the layout's
// size, and folding the About panel in gives back the height it started at.
RECT dialog_rect(const ui::WindowDesc& desc) {
    RECT rect;
    const int width = win32::twips_x(desc.client_width + 2 * desc.frame);
    const int height = win32::twips_y(desc.client_height + 2 * desc.frame);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetRect(&rect, left, top, left + width, top + height);
    return rect;
}

// A modal window leaves the program's other windows disabled, so a click
// on the cover neither activates it nor lifts it over the lock window.
BOOL CALLBACK disable_other(HWND hwnd, LPARAM modal) {
    if (hwnd != reinterpret_cast<HWND>(modal)) EnableWindow(hwnd, FALSE);
    return TRUE;
}

void send_key(BYTE key, DWORD flags) {
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), flags, 0);
}

}  // namespace

namespace win32 {

ui::Window* window_of(HWND hwnd) {
    return reinterpret_cast<ui::Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

}  // namespace win32

namespace ui {

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    register_classes();
    auto* window = new Window;  // lives as long as the process
    window->desc = &desc;
    window->events = &events;

    const bool dialog = desc.kind == WindowKind::Dialog;
    // Neither window has a caption, a system menu or a taskbar button.
    const DWORD style = WS_POPUP | (dialog ? WS_DLGFRAME : 0);
    const DWORD ex_style = WS_EX_TOOLWINDOW;
    const RECT rect = dialog ? dialog_rect(desc) : cover_rect();
    CreateWindowExA(ex_style, dialog ? kDialogClass : kCoverClass, desc.title, style, rect.left,
                    rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                    instance(), window);
    win32::create_controls(window);
    window->ready = true;
    return window;
}

void show(Window* window) {
    ShowWindow(window->hwnd, SW_SHOW);
    UpdateWindow(window->hwnd);
}

void serve_events(Window* window) {
    EnumThreadWindows(GetCurrentThreadId(), disable_other, reinterpret_cast<LPARAM>(window->hwnd));
    SetForegroundWindow(window->hwnd);

    // The dialog manager gives Tab, Shift+Tab and the access keys their
    // usual meaning; everything else is dispatched as usual.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window->hwnd, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Nothing posts WM_QUIT; should anything do so, the keys still go back.
    set_system_key_block(false);
    end_program(1);
}

void make_topmost(Window* window) {
    SetWindowPos(window->hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void set_outer_height(Window* window, int twips) {
    RECT rect;
    GetWindowRect(window->hwnd, &rect);
    SetWindowPos(window->hwnd, nullptr, 0, 0, rect.right - rect.left, win32::twips_y(twips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void send_access_key(Window*, char key) {
    // Into the system's input stream, as if typed; it is handled once the
    // window is up and active.
    // The low byte is the key for the character, whatever its case.
    const BYTE letter = static_cast<BYTE>(VkKeyScanA(key) & 0xFF);
    send_key(VK_MENU, 0);
    send_key(letter, 0);
    send_key(letter, KEYEVENTF_KEYUP);
    send_key(VK_MENU, KEYEVENTF_KEYUP);
}

}  // namespace ui
