// A fontconfig set-up of just the dialog's two font files, shared by the
// backends that draw text themselves.
#pragma once

namespace fonts {

// Fontconfig's own start-up parses the fifty-odd XML files under
// /etc/fonts and reads the cache of every font directory, two thirds of all
// the work before the dialog is up, only to learn that Arial is Liberation
// Sans. The dialog needs two faces of one family: where they are installed,
// this makes the current configuration one that holds just those two files,
// which gives the same match, and returns true. Without them it changes
// nothing, and fontconfig starts as usual and finds whatever it can.
bool use_lean_font_config();

}  // namespace fonts
