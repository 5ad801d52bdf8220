// The framed window: two windows, a few black rectangles, and a thread that
// keeps drawing them.
#include "framed_window.h"

#include <poll.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace attack {
namespace {

constexpr int kPrintMs = 50;

}  // namespace

FramedWindow::FramedWindow(const std::string& display, XClient& test, Rect rect)
    : test_(test), rect_(rect), own_(std::make_unique<XClient>(display)) {
    Display* d = own_->display();
    const int screen = DefaultScreen(d);
    const auto w = static_cast<unsigned>(rect.w), h = static_cast<unsigned>(rect.h);
    frame_ = XCreateSimpleWindow(d, own_->root(), rect.x, rect.y, w, h, 0, BlackPixel(d, screen),
                                 WhitePixel(d, screen));
    client_ = XCreateSimpleWindow(d, frame_, 0, 0, w, h, 0, BlackPixel(d, screen), WhitePixel(d, screen));
    XSelectInput(d, client_, ExposureMask);
    XClassHint hint{const_cast<char*>("terminal"), const_cast<char*>("Terminal")};
    XSetClassHint(d, client_, &hint);
    // What a window manager puts on the windows it manages.
    const Atom wm_state = XInternAtom(d, "WM_STATE", False);
    const long state[2] = {NormalState, None};
    XChangeProperty(d, client_, wm_state, wm_state, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(state), 2);
    gc_ = XCreateGC(d, client_, 0, nullptr);
    XMapWindow(d, client_);
    XMapRaised(d, frame_);
    own_->Sync();
    thread_ = std::thread([this] { Print(); });
}

FramedWindow::~FramedWindow() {
    printing_ = false;
    thread_.join();
}

// Repaints at once when exposed, and with the next words every kPrintMs.
void FramedWindow::Print() {
    Display* d = own_->display();
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    for (int step = 0; printing_; ++step) {
        if (!XPending(d)) poll(&fd, 1, kPrintMs);
        while (XPending(d)) {
            XEvent event;
            XNextEvent(d, &event);
        }
        Paint(step);
    }
}

// Words of kWord pixels with gaps of 10. The first word of each line stays
// put and the paper above the first line is never drawn on, so that text()
// and paper() keep their colour.
void FramedWindow::Paint(int step) {
    Display* d = own_->display();
    const int screen = DefaultScreen(d);
    const int shift = (step * 7) % 40;
    const int rest = kMargin + kWord + 10;
    for (int y = kMargin; y + kLineHeight <= rect_.h - kMargin; y += 2 * kLineHeight) {
        XSetForeground(d, gc_, BlackPixel(d, screen));
        XFillRectangle(d, client_, gc_, kMargin, y, kWord, kLineHeight);
        XSetForeground(d, gc_, WhitePixel(d, screen));
        XFillRectangle(d, client_, gc_, rest, y, static_cast<unsigned>(rect_.w - kMargin - rest), kLineHeight);
        XSetForeground(d, gc_, BlackPixel(d, screen));
        for (int x = rest + shift; x + kWord <= rect_.w - kMargin; x += 40)
            XFillRectangle(d, client_, gc_, x, y, kWord, kLineHeight);
    }
    own_->Sync();
}

void FramedWindow::Focus() {
    XSetInputFocus(test_.display(), client_, RevertToPointerRoot, CurrentTime);
    test_.Sync();
}

void FramedWindow::SetOpacity(unsigned long opacity) {
    Display* d = test_.display();
    XChangeProperty(d, frame_, XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&opacity), 1);
    test_.Sync();
}

}  // namespace attack
