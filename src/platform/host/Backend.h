// What a self-drawn backend supplies to the host around the dialog engine:
// a surface for each window, an event source and the text's fallback.
// Each backend defines these for its own program; the host calls them.
#pragma once

#include <poll.h>

#include "platform/canvas/Canvas.h"
#include "platform/dialog/Rect.h"
#include "platform/fonts/DialogText.h"
#include "platform/ui.h"

namespace host {

// ---- A surface for each window ---------------------------------------------

// The resolution a new dialog is laid out at.
double dialog_dpi();
// A window was made (the dialog's engine with it); its native side is the
// backend's to make, now or when it is shown.
void window_made(ui::Window* window);
// Pixels for the next frame of the window, width x height; none while it
// has nowhere to show, and then the frame waits.
canvas::Canvas begin_frame(ui::Window* window, int width, int height);
// The frame's area reaches the screen.
void present(ui::Window* window, const dialog::Rect& area);
// The dialog's outer size changed; it grows and shrinks at its bottom edge.
void resize(ui::Window* window, int width, int height);
// The dialog was painted and what was painted sent: the pointer takes its
// shapes over it.
void frame_sent(ui::Window* window);
// FreeType's glyphs, for what the build's glyphs lack.
canvas::GlyphSource* open_fallback_glyphs(double dpi);

// ---- The event source --------------------------------------------------------

// Fills fds with what the loop waits on beside signals; returns how many.
int event_fds(pollfd* fds, int room);
// Serves what has already been read.
void dispatch_queued();
// Reads what has arrived, without waiting, and serves it; whether
// anything came.
bool read_events();
// Sends what is queued.
void flush();
// How long the loop waits with nothing to do before idle(); -1 for ever.
int idle_ms();
void idle();
// Lets go of the connection as the program ends.
void disconnect();

}  // namespace host
