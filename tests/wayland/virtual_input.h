// The user at the keyboard and mouse: a virtual keyboard and a virtual
// pointer of the test process's own, on the compositor's seat. Each call
// returns once the compositor has taken the input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct wl_display;
struct wl_seat;
struct zwp_virtual_keyboard_v1;
struct zwlr_virtual_pointer_v1;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace wayland {

class VirtualInput {
public:
    // Connects to the compositor's socket and adds the two devices, with a
    // US keyboard layout.
    explicit VirtualInput(const std::string& socket);
    ~VirtualInput();
    VirtualInput(const VirtualInput&) = delete;
    VirtualInput& operator=(const VirtualInput&) = delete;

    // Hands the compositor a new keymap, as a layout switch does.
    void SetLayout(const char* layout, const char* variant = "");

    // Types the characters, with Shift where the layout needs it.
    void Type(std::string_view text);
    // Presses and releases the key of this keysym name, holding the
    // modifiers (keysym names too, such as "Alt_L") around it.
    void Key(const char* keysym, const std::vector<const char*>& modifiers = {});

    // Holds the key of this keysym name down, or lets it go.
    void KeyDown(const char* keysym);
    void KeyUp(const char* keysym);

    // Moves the pointer to x, y of the output, which is width x height.
    void MoveTo(int x, int y, int width, int height);
    void Press();
    void Release();
    void Click() {
        Press();
        Release();
    }

private:
    std::uint32_t KeycodeFor(std::uint32_t keysym, bool* shift) const;
    void SendKey(std::uint32_t keycode, bool down);
    void Sync();

    wl_display* display_ = nullptr;
    wl_seat* seat_ = nullptr;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
    zwlr_virtual_pointer_v1* pointer_ = nullptr;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
    std::uint32_t time_ = 0;
};

}  // namespace wayland
