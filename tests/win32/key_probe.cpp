// Another program for the Wine tests: a small topmost window that takes
// the foreground and writes into its title, where the tests read it
// through X, whether it is active and the keys it has received:
// "active:ab" or "inactive:ab". One character per key press: a letter key
// as its lower-case letter, T for Tab, E for Escape, W for a Windows key,
// M for the menu key; other keys are not recorded.
#include <windows.h>

namespace {

bool active = false;
char keys[128] = "";

void show(HWND hwnd) {
    char title[160];
    wsprintfA(title, "%s:%s", active ? "active" : "inactive", keys);
    SetWindowTextA(hwnd, title);
}

char recorded_as(WPARAM key) {
    if (key >= 'A' && key <= 'Z') return static_cast<char>(key - 'A' + 'a');
    switch (key) {
    case VK_TAB: return 'T';
    case VK_ESCAPE: return 'E';
    case VK_LWIN: case VK_RWIN: return 'W';
    case VK_APPS: return 'M';
    default: return 0;
    }
}

void record(HWND hwnd, WPARAM key, LPARAM flags) {
    const bool repeat = (flags & (1L << 30)) != 0;
    const char letter = recorded_as(key);
    const int length = lstrlenA(keys);
    if (repeat || !letter || length + 1 >= static_cast<int>(sizeof keys)) return;
    keys[length] = letter;
    keys[length + 1] = '\0';
    show(hwnd);
}

LRESULT CALLBACK probe_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ACTIVATE:
        active = LOWORD(wparam) != WA_INACTIVE;
        show(hwnd);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        record(hwnd, wparam, lparam);
        return 0;
    // Kept from the default procedure, which would take a released Alt as
    // the way into a menu and swallow the next key.
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = probe_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = "UmbrafoldKeyProbe";
    RegisterClassA(&window_class);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, window_class.lpszClassName, "inactive:",
                                WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 160, 40, nullptr, nullptr,
                                instance, nullptr);
    SetForegroundWindow(hwnd);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
