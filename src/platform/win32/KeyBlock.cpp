// Holding back the system's task-switching keys while the lock window
// exists.
#include <windows.h>

#include "platform/win32/Backend.h"

namespace {

// The hook is system-wide state of this process, like the flag it backs.
HHOOK keyboard_hook = nullptr;

bool is_nt_family() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool is_down(int virtual_key) { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }

bool is_held_back(const KBDLLHOOKSTRUCT& key) {
    // Not every system sets the Alt flag in the hook's data (Wine does not),
    // so the key's own state counts as well.
    const bool alt = (key.flags & LLKHF_ALTDOWN) != 0 || is_down(VK_MENU);
    const bool ctrl = is_down(VK_CONTROL);
    switch (key.vkCode) {
    case VK_TAB: return alt;                  // Alt+Tab
    case VK_ESCAPE: return alt || ctrl;       // Alt+Esc, Ctrl+Esc
    case VK_LWIN: case VK_RWIN: case VK_APPS: return true;
    default: return false;
    }
}

LRESULT CALLBACK keyboard_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && is_held_back(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam)))
        return 1;
    return CallNextHookEx(keyboard_hook, code, wparam, lparam);
}

}  // namespace

namespace ui {

void set_system_key_block(bool on) {
    // On Windows 95, 98 and Me this flag alone makes the system ignore
    // Ctrl+Alt+Del and the task-switching keys. The NT family accepts the
    // call but holds nothing back, so there a low-level keyboard hook
    // swallows the switching keys; Ctrl+Alt+Del cannot be held back there.
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, on ? static_cast<UINT>(-1) : 0, &previous, 0);

    if (on && !keyboard_hook && is_nt_family()) {
        keyboard_hook =
            SetWindowsHookExA(WH_KEYBOARD_LL, keyboard_proc, GetModuleHandleA(nullptr), 0);
    } else if (!on && keyboard_hook) {
        UnhookWindowsHookEx(keyboard_hook);
        keyboard_hook = nullptr;
    }
}

}  // namespace ui
