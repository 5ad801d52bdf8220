// A stand-in for a terminal under a window manager, printing all the time:
// a frame holding a client window (the one with WM_STATE), white paper with
// black lines of "text" that move on twenty times a second, painted from a
// connection and a thread of its own and again whenever exposed, as any X
// client must. Compositors tell the focus of such a window apart from that
// of a window they find no frame for.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "x_client.h"

namespace attack {

using e2e::Rect;
using e2e::XClient;

struct Point {
    int x = 0, y = 0;
};

class FramedWindow {
public:
    // Made and mapped on display; test is the test's own connection, which
    // the requests below go through.
    FramedWindow(const std::string& display, XClient& test, Rect rect);
    ~FramedWindow();  // stops printing; the windows go with the connection
    FramedWindow(const FramedWindow&) = delete;
    FramedWindow& operator=(const FramedWindow&) = delete;

    // Gives the input focus to the client, as a window manager would.
    void Focus();
    // Sets _NET_WM_WINDOW_OPACITY on the frame; 0xFFFFFFFF is opaque.
    void SetOpacity(unsigned long opacity);

    // Points on the screen: in the first word of text, which never moves,
    // on the paper above it, on the desktop just right of the frame, where
    // a shadow falls, and on the desktop further right, where none does.
    Point text() const { return {rect_.x + kMargin + 2, rect_.y + kMargin + kLineHeight / 2}; }
    Point paper() const { return {rect_.x + kMargin + 2, rect_.y + kMargin / 2}; }
    Point beside() const { return {rect_.x + rect_.w + 2, rect_.y + rect_.h / 2}; }
    Point desktop() const { return {rect_.x + rect_.w + 60, rect_.y + rect_.h / 2}; }

private:
    static constexpr int kMargin = 20;
    static constexpr int kLineHeight = 10;
    static constexpr int kWord = 30;

    void Print();
    void Paint(int step);

    XClient& test_;
    Rect rect_;
    std::unique_ptr<XClient> own_;
    ::Window frame_ = 0;
    ::Window client_ = 0;
    GC gc_ = nullptr;
    std::atomic<bool> printing_{true};
    std::thread thread_;
};

}  // namespace attack
