// Painting the dialogs, for the loop.
#pragma once

namespace host {

// Paints every dialog whose engine asked for it and that has somewhere to
// show; whether any was painted.
bool paint_due();
// Tells the backend of each painted dialog that its frame was sent.
void frames_sent();

}  // namespace host
