// The seat's keyboard: its keymap, modifiers and key repeat as the
// compositor announces them, and keys to the dialog.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include "platform/posix/Fatal.h"
#include "platform/wayland/Seat.h"
#include "platform/wayland/Window.h"
#include "platform/xkb/Keyboard.h"

namespace wl {
namespace {

// Repeats typed at once when the program comes back late to a held key;
// more than a box holds.
constexpr std::uint64_t kMostRepeats = 64;

keys::Keyboard g_keyboard;
wl_keyboard* g_wl_keyboard = nullptr;
int g_repeat_fd = -1;
int g_repeat_rate = 25;  // keys a second; 0 for none
int g_repeat_delay = 600;  // milliseconds
std::uint32_t g_repeating = 0;  // the xkb keycode of the held key, 0 for none

void arm_repeat(int delay_ms, int interval_ms) {
    itimerspec timer{};
    timer.it_value.tv_sec = delay_ms / 1000;
    timer.it_value.tv_nsec = (delay_ms % 1000) * 1'000'000L;
    timer.it_interval.tv_sec = interval_ms / 1000;
    timer.it_interval.tv_nsec = (interval_ms % 1000) * 1'000'000L;
    timerfd_settime(g_repeat_fd, 0, &timer, nullptr);
}

void stop_repeat() {
    g_repeating = 0;
    arm_repeat(0, 0);
}

void type(std::uint32_t keycode) {
    ui::Window* w = host::dialog_window();
    dialog::Key key;
    if (w && g_keyboard.press(keycode, &key)) w->form->key(key);
}

void on_keymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            g_keyboard.set_keymap(static_cast<const char*>(text), size);
            munmap(text, size);
        }
    }
    close(fd);
    stop_repeat();
}

void on_enter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void on_leave(void*, wl_keyboard*, uint32_t, wl_surface*) { stop_repeat(); }

void on_key(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    const std::uint32_t keycode = key + 8;  // evdev codes to xkb's
    if (state == WL_KEYBOARD_KEY_STATE_RELEASED) {
        if (keycode == g_repeating) stop_repeat();
        return;
    }
    type(keycode);
    if (g_repeat_rate > 0 && g_keyboard.repeats(keycode)) {
        g_repeating = keycode;
        arm_repeat(g_repeat_delay, std::max(1, 1000 / g_repeat_rate));
    }
}

void on_modifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                  uint32_t group) {
    g_keyboard.set_modifiers(depressed, latched, locked, group);
}

void on_repeat_info(void*, wl_keyboard*, int32_t rate, int32_t delay) {
    g_repeat_rate = rate > 0 ? rate : 0;
    g_repeat_delay = delay > 0 ? delay : 1;
    if (!g_repeat_rate) stop_repeat();
}

const wl_keyboard_listener kKeyboardListener = {on_keymap, on_enter, on_leave, on_key, on_modifiers, on_repeat_info};

}  // namespace

void watch_keyboard(wl_seat* seat, bool present) {
    if (present && !g_wl_keyboard) {
        if (g_repeat_fd < 0) g_repeat_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (g_repeat_fd < 0) posix::fatal("cannot make the key repeat timer", std::strerror(errno));
        g_wl_keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(g_wl_keyboard, &kKeyboardListener, nullptr);
    } else if (!present && g_wl_keyboard) {
        if (wl_keyboard_get_version(g_wl_keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
            wl_keyboard_release(g_wl_keyboard);
        else
            wl_keyboard_destroy(g_wl_keyboard);
        g_wl_keyboard = nullptr;
        stop_repeat();
    }
}

int key_repeat_fd() { return g_repeat_fd; }

void serve_key_repeat() {
    std::uint64_t due = 0;
    if (g_repeat_fd < 0 || read(g_repeat_fd, &due, sizeof due) != sizeof due) return;
    // However late the program is, a held key types a bounded number of
    // times: what was due, at most kMostRepeats.
    for (std::uint64_t i = 0; i < due && i < kMostRepeats && g_repeating; ++i) type(g_repeating);
}

}  // namespace wl
