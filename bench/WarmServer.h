// A fresh X server has never drawn text. The first client to send it a
// glyph through RENDER pays for the server's own start-up of that path
// (about 1 MB here: libgcrypt, which hashes every glyph, and pixman's glyph
// code are paged in, and tables are made), whoever that client is; in a
// desktop session some client has always done so before a locker starts.
#pragma once

#include <string>

namespace bench {

// Draws a line of text with Xft on the display and waits until the server
// has done it.
void WarmServer(const std::string& display);

}  // namespace bench
