// Xvfb per test. -displayfd makes the server choose a free display and
// write its number once it listens, so parallel tests never collide.
#include "x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <utility>

namespace e2e {
namespace {

// Reads up to the first newline, giving up after timeout_ms.
std::string ReadLine(int fd, int timeout_ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    std::string line;
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(left)) <= 0) break;
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    return line.substr(0, line.find('\n'));
}

}  // namespace

XServer::XServer(int width, int height, int depth) {
    Spawn spawn;
    spawn.argv = {XVFB_PATH,
                  "-screen", "0", std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth),
                  "-nolisten", "tcp",
                  // Without -noreset the server would start afresh whenever
                  // its last client leaves, between two phases of a test.
                  "-noreset"};
    Start(spawn);
}

XServer::XServer(Spawn spawn) { Start(std::move(spawn)); }

void XServer::Start(Spawn spawn) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);  // only the write end goes to the server

    // -r: no key repeats. Every key is pressed and released by the test, and
    // a test or server held up for longer than the repeat delay between the
    // two would otherwise find the key typed twice or more. A test that
    // wants repeats turns them on itself.
    spawn.argv.insert(spawn.argv.begin() + 1, {"-displayfd", std::to_string(fds[1]), "-r"});
    spawn.capture_output = false;
    xvfb_ = std::make_unique<Process>(spawn);
    close(fds[1]);

    const std::string number = ReadLine(fds[0], 15000);
    close(fds[0]);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        throw std::runtime_error(spawn.argv[0] + " did not report a display");
    display_ = ":" + number;
}

XServer::~XServer() {
    if (!xvfb_) return;
    xvfb_->Signal(SIGTERM);
    if (!xvfb_->WaitExit(5.0)) xvfb_->Kill();
}

}  // namespace e2e
