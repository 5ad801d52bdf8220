// The dots per inch the desktop asks text to be drawn at: Xft.dpi in the
// resource database on the root window, as xrdb leaves it there.
#pragma once

#include <string_view>

namespace x11 {

// As much of the database as the program reads.
inline constexpr unsigned kMaxResourceBytes = 1 << 20;

// The value of Xft.dpi in the database's text, under the entry that names
// it most closely ("Xft.dpi" before "Xft*dpi" before "*dpi", a name before
// a class, the last of equals); fallback where none holds a value from 24
// to 960.
double xft_dpi(std::string_view database, double fallback);

}  // namespace x11
