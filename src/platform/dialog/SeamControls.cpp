// The seam's control functions for every backend that draws its own
// dialog: each goes to the window's engine, and the handlers it runs have
// run when it returns.
#include "platform/dialog/Form.h"
#include "platform/ui.h"

namespace ui {

using dialog::form_of;

SecretText text(Window* window, int control) { return form_of(window).text(control); }
void set_text(Window* window, int control, const SecretText& text) { form_of(window).set_text(control, text); }
bool enabled(Window* window, int control) { return form_of(window).enabled(control); }
void set_enabled(Window* window, int control, bool on) { form_of(window).set_enabled(control, on); }
void set_caption(Window* window, int control, const char* caption) { form_of(window).set_caption(control, caption); }
void set_back_colour(Window* window, int control, Colour colour) { form_of(window).set_back_colour(control, colour); }
void set_outer_height(Window* window, int twips) { form_of(window).set_outer_height(twips); }
// Handled inside the program once the window is up, rather than typed into
// the system's input, where another client could see it or get in first.
void send_access_key(Window* window, char key) { form_of(window).queue_access_key(key); }

}  // namespace ui
