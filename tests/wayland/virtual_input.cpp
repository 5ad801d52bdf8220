// Virtual devices through wlroots' virtual keyboard and pointer protocols.
#include "virtual_input.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

#include <wayland-client.h>

#include "connect.h"
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-protocol.h"

namespace wayland {
namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* g = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !g->seat)
        g->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        g->keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        g->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistry = {OnGlobal, OnGlobalRemove};

}  // namespace

VirtualInput::VirtualInput(const std::string& socket) {
    Globals g;
    display_ = ConnectAndBind(socket, kRegistry, &g);
    if (!g.seat || !g.keyboards || !g.pointers) throw std::runtime_error("no virtual input here");
    seat_ = g.seat;
    keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(g.keyboards, seat_);
    pointer_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g.pointers, seat_);
    zwp_virtual_keyboard_manager_v1_destroy(g.keyboards);
    zwlr_virtual_pointer_manager_v1_destroy(g.pointers);
    context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    SetLayout("us");
}

VirtualInput::~VirtualInput() {
    if (state_) xkb_state_unref(state_);
    if (keymap_) xkb_keymap_unref(keymap_);
    if (context_) xkb_context_unref(context_);
    if (keyboard_) zwp_virtual_keyboard_v1_destroy(keyboard_);
    if (pointer_) zwlr_virtual_pointer_v1_destroy(pointer_);
    if (seat_) wl_seat_destroy(seat_);
    if (display_) wl_display_disconnect(display_);
}

void VirtualInput::Sync() {
    if (wl_display_roundtrip(display_) < 0) throw std::runtime_error("the compositor went away");
}

void VirtualInput::SetLayout(const char* layout, const char* variant) {
    const xkb_rule_names names{"evdev", "pc105", layout, variant, ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) throw std::runtime_error(std::string("no keymap for ") + layout);
    if (state_) xkb_state_unref(state_);
    if (keymap_) xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    state_ = xkb_state_new(keymap_);
    char* text = xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1);
    const std::size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    if (fd < 0 || write(fd, text, size) != static_cast<ssize_t>(size)) throw std::runtime_error("cannot pass the keymap");
    std::free(text);
    zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, static_cast<uint32_t>(size));
    close(fd);
    Sync();
}

std::uint32_t VirtualInput::KeycodeFor(std::uint32_t keysym, bool* shift) const {
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap_); code <= xkb_keymap_max_keycode(keymap_); ++code)
        for (xkb_level_index_t level = 0; level < 2; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(keymap_, code, 0, level, &syms);
            for (int i = 0; i < count; ++i)
                if (syms[i] == keysym) {
                    if (shift) *shift = level == 1;
                    return code;
                }
        }
    throw std::runtime_error("no key types keysym " + std::to_string(keysym));
}

// A key goes down or up; the modifiers it changes follow, as a real
// keyboard's would.
void VirtualInput::SendKey(std::uint32_t keycode, bool down) {
    xkb_state_update_key(state_, keycode, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_key(keyboard_, ++time_, keycode - 8,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    zwp_virtual_keyboard_v1_modifiers(keyboard_, xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
                                      xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
                                      xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
                                      xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE));
}

void VirtualInput::Type(std::string_view text) {
    const std::uint32_t shift_key = KeycodeFor(XKB_KEY_Shift_L, nullptr);
    for (std::size_t at = 0; at < text.size();) {
        // UTF-8 to a code point.
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra ? lead & (0x3F >> extra) : lead;
        for (int i = 1; i <= extra; ++i) c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        at += static_cast<std::size_t>(extra) + 1;
        bool shift = false;
        const std::uint32_t code = KeycodeFor(xkb_utf32_to_keysym(c), &shift);
        if (shift) SendKey(shift_key, true);
        SendKey(code, true);
        SendKey(code, false);
        if (shift) SendKey(shift_key, false);
    }
    Sync();
}

void VirtualInput::Key(const char* keysym, const std::vector<const char*>& modifiers) {
    const xkb_keysym_t sym = xkb_keysym_from_name(keysym, XKB_KEYSYM_NO_FLAGS);
    if (sym == XKB_KEY_NoSymbol) throw std::runtime_error(std::string("unknown keysym ") + keysym);
    std::vector<std::uint32_t> held;
    for (const char* modifier : modifiers)
        held.push_back(KeycodeFor(xkb_keysym_from_name(modifier, XKB_KEYSYM_NO_FLAGS), nullptr));
    for (std::uint32_t code : held) SendKey(code, true);
    bool shift = false;
    const std::uint32_t code = KeycodeFor(sym, &shift);
    SendKey(code, true);
    SendKey(code, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it) SendKey(*it, false);
    Sync();
}

void VirtualInput::KeyDown(const char* keysym) {
    SendKey(KeycodeFor(xkb_keysym_from_name(keysym, XKB_KEYSYM_NO_FLAGS), nullptr), true);
    Sync();
}

void VirtualInput::KeyUp(const char* keysym) {
    SendKey(KeycodeFor(xkb_keysym_from_name(keysym, XKB_KEYSYM_NO_FLAGS), nullptr), false);
    Sync();
}

void VirtualInput::MoveTo(int x, int y, int width, int height) {
    zwlr_virtual_pointer_v1_motion_absolute(pointer_, ++time_, static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                                            static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    zwlr_virtual_pointer_v1_frame(pointer_);
    Sync();
}

void VirtualInput::Press() {
    zwlr_virtual_pointer_v1_button(pointer_, ++time_, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer_);
    Sync();
}

void VirtualInput::Release() {
    zwlr_virtual_pointer_v1_button(pointer_, ++time_, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer_);
    Sync();
}

}  // namespace wayland
