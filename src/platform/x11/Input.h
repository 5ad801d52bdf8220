// Keyboard and mouse events, handed to the dialog's engine.
#pragma once

#include <xcb/xcb.h>

namespace x11 {

void handle_key(const xcb_key_press_event_t& event);
void handle_button(const xcb_button_press_event_t& event, bool pressed);

}  // namespace x11
