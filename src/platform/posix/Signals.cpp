// The self-pipe behind the signals.
#include "platform/posix/Signals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/Fatal.h"

namespace posix {
namespace {

int g_pipe[2] = {-1, -1};

void note_signal(int signo) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signo);
    if (write(g_pipe[1], &byte, 1) < 0) {
        // The pipe is full of earlier signals; they will be read first.
    }
    errno = saved;
}

}  // namespace

void install_signal_handlers() {
    if (pipe(g_pipe) != 0) fatal("cannot make the signal pipe", std::strerror(errno));
    for (int fd : g_pipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signo : {SIGTERM, SIGINT, SIGHUP}) sigaction(signo, &action, nullptr);
    // A stray Ctrl+\ or Ctrl+Z, a terminal's input or output, a broken
    // pipe: none may end or stop a lock.
    for (int signo : {SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE}) std::signal(signo, SIG_IGN);
}

int signal_fd() { return g_pipe[0]; }

void serve_signals(ui::FormEvents& dialog) {
    unsigned char signo = 0;
    while (read(g_pipe[0], &signo, 1) == 1) {
        const ui::EndRequest request = signo == SIGTERM ? ui::EndRequest::Terminate : ui::EndRequest::Interrupt;
        dialog.on_end_request(request, 128 + signo);
    }
}

}  // namespace posix
