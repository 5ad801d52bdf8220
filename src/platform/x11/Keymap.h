// The server's core keyboard map, asked for once the lock is held and
// whenever it changes.
#pragma once

#include <cstdint>

#include <xcb/xcb.h>

namespace x11 {

// Sends the questions; the answers are read at the first key.
void request_keymap();
// A MappingNotify: the keyboard or the modifiers changed.
void keymap_changed(const xcb_mapping_notify_event_t& event);
// The keysym of a key press, by the core rules; 0 for none.
std::uint32_t keysym_of(const xcb_key_press_event_t& event);

}  // namespace x11
