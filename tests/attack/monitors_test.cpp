// Screens that change under the lock: the cover follows the root's new size
// and the dialog is centred again within half a second (Xephyr nested in
// Xvfb can change its size, Xvfb cannot); at twice the dots per inch the
// dialog and its text are twice the size.
#include "attack_test.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace attack {
namespace {

// Following a screen change is the requirement itself: half a second.
constexpr double kFitDeadline = 0.5;

::testing::AssertionResult RunTool(const std::string& display, std::vector<std::string> argv) {
    Spawn spawn;
    spawn.argv = std::move(argv);
    spawn.set_env = {{"DISPLAY", display}};
    Process tool(spawn);
    const auto status = tool.WaitExit(kTimeout);
    if (status && status->exited && status->code == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << spawn.argv[0] << " failed: " << tool.Stderr();
}

class ResizedScreen : public AttackTest {
protected:
    void SetUp() override {
        outer = std::make_unique<XServer>(1280, 1024);
        Spawn spawn;
        spawn.argv = {XEPHYR_PATH, "-screen", "800x600", "-resizeable", "-nolisten", "tcp", "-noreset"};
        spawn.set_env = {{"DISPLAY", outer->display()}};
        server = std::make_unique<XServer>(spawn);
        x = std::make_unique<XClient>(server->display());
        x->SetRootBackground(kWhite);
    }
    void TearDown() override {
        AttackTest::TearDown();
        outer.reset();
    }

    // Sets the screen size and waits until the cover spans it and the
    // dialog is centred on it.
    void ResizeTo(int width, int height) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        ASSERT_TRUE(RunTool(server->display(), {XRANDR_PATH, "-s", std::to_string(width) + "x" + std::to_string(height)}));
        const Rect root{0, 0, width, height};
        const Rect centred{(width - kDialogWidth) / 2, (height - kCompactHeight) / 2, kDialogWidth, kCompactHeight};
        auto fits = [&](::Window w, Rect want) {
            const auto state = x->State(w);
            return state && state->rect.x == want.x && state->rect.y == want.y && state->rect.w == want.w &&
                   state->rect.h == want.h;
        };
        EXPECT_TRUE(WaitUntil([&] { return fits(cover, root) && fits(dialog, centred); }, kFitDeadline))
            << "cover or dialog not fitted within " << kFitDeadline << " s";
        EXPECT_TRUE(NothingExposed());
        std::cout << "after resizing to " << width << "x" << height << ": " << ExposedPixels() << " of "
                  << width * height << " pixels uncovered\n";
        EXPECT_TRUE(StatusBecomes(kLightRed));
    }

    std::unique_ptr<XServer> outer;
};

TEST_F(ResizedScreen, CoverAndDialogFollowTheScreen) {
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    ResizeTo(1024, 768);
    ResizeTo(832, 624);
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

using HighDpi = AttackTest;

// The ink of the status caption: the width and height of the box around
// every pixel of the label that is not its background.
std::pair<int, int> CaptionInk(XClient& x, Rect label) {
    const std::vector<Rgb> pixels = x.Capture(label);
    const Rgb back = x.Dominant(label);
    int left = label.w, right = -1, top = label.h, bottom = -1;
    for (int y = 0; y < label.h; ++y)
        for (int i = 0; i < label.w; ++i)
            if (pixels[static_cast<std::size_t>(y * label.w + i)] != back) {
                left = std::min(left, i), right = std::max(right, i);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return {right - left + 1, bottom - top + 1};
}

TEST_F(HighDpi, DialogAndTextAreTwiceTheSize) {
    const auto measure = [this](int dots_per_inch) {
        Run();
        EXPECT_TRUE(WaitUntil([this] { return (dialog = FindDialog()) != 0; })) << locker->Stderr();
        const Rect d = DialogRect();
        // The caption inside the label's one-pixel border.
        drawn_dpi = dots_per_inch;
        const Rect status = OnScreen(kStatus);
        const Rect label{status.x + 2, status.y + 2, status.w - 4, status.h - 4};
        EXPECT_TRUE(WaitUntil([&] { return x->Dominant(label) == kYellow; })) << "the status label is not painted";
        const auto ink = CaptionInk(*x, label);
        locker->Kill();
        // The server lets the windows and grabs of a killed client go only
        // once it notices the closed connection; until then the next run
        // would find the old dialog, or fail to grab.
        EXPECT_TRUE(WaitUntil([this] { return FindDialog() == 0 && FindCover() == 0; }))
            << "the killed program's windows stay";
        return std::make_pair(d, ink);
    };
    const auto [normal, normal_ink] = measure(96);
    EXPECT_EQ(normal.w, kDialogWidth);
    EXPECT_EQ(normal.h, kCompactHeight);
    EXPECT_GT(normal_ink.first, 40) << "no caption found in the status label";

    char path[] = "/tmp/umbrafold-attack-xrdb-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const std::string resources = "Xft.dpi: 192\n";
    ASSERT_EQ(write(fd, resources.data(), resources.size()), static_cast<ssize_t>(resources.size()));
    close(fd);
    const auto merged = RunTool(server->display(), {XRDB_PATH, "-merge", path});
    std::remove(path);
    ASSERT_TRUE(merged);

    const auto [doubled, doubled_ink] = measure(192);
    EXPECT_EQ(doubled.w, 2 * kDialogWidth);
    EXPECT_EQ(doubled.h, 2 * kCompactHeight);
    // Hinting moves a glyph's edges by a pixel or so; the text as a whole
    // is twice as wide and twice as tall.
    EXPECT_NEAR(doubled_ink.first, 2 * normal_ink.first, 4) << "caption width at 96 dpi: " << normal_ink.first;
    EXPECT_NEAR(doubled_ink.second, 2 * normal_ink.second, 3) << "caption height at 96 dpi: " << normal_ink.second;
}

}  // namespace
}  // namespace attack
