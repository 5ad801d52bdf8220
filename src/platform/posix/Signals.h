// Signals as events of the one thread: a handler only notes the signal in
// a pipe, and the event loop serves it among its other events.
#pragma once

#include "platform/ui.h"

namespace posix {

// Catches the signals that ask the program to end and ignores those that
// would stop or end it by accident; call first thing.
void install_signal_handlers();

// Becomes readable when a signal is waiting to be served.
int signal_fd();

// Hands every waiting signal to the dialog's handler as a request to end,
// with status 128 + the signal's number.
void serve_signals(ui::FormEvents& dialog);

}  // namespace posix
