// The fixture: one compositor and one program per test, both gone at the end.
#include "wayland_test.h"

#include <iostream>

namespace wayland {
namespace {

// The most common colour inside r.
Rgb Dominant(const Image& image, const Rect& r) {
    std::vector<std::pair<Rgb, int>> counts;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
            const Rgb c = image.At(x, y);
            auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& p) { return p.first == c; });
            if (it == counts.end())
                counts.push_back({c, 1});
            else
                ++it->second;
        }
    auto best = std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return best == counts.end() ? Rgb{-1, -1, -1} : best->first;
}

}  // namespace

void WaylandTest::SetUp() {
    const std::string why = WhyNoCompositor();
    if (!why.empty()) GTEST_SKIP() << why;
}

void WaylandTest::TearDown() {
    if (locker && locker->Running()) {
        const std::string err = locker->Stderr();
        if (!err.empty()) std::cerr << "umbrafold stderr:\n" << err;
    }
    locker.reset();
    input.reset();
    compositor.reset();
}

void WaylandTest::StartCompositor(const CompositorOptions& with) {
    options = with;
    scale = with.scale;
    compositor = std::make_unique<Compositor>(options);
    input = std::make_unique<VirtualInput>(compositor->Socket());
    // Out of the dialog's way; the compositor hides it once it rests.
    MoveTo(0, 0);
}

Process& WaylandTest::Run(const Environment& extra) {
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.set_env = compositor->Env();
    spawn.set_env.insert(spawn.set_env.end(), extra.begin(), extra.end());
    spawn.unset_env = {"DISPLAY"};
    locker = std::make_unique<Process>(spawn);
    return *locker;
}

void WaylandTest::StartLocker() {
    if (!compositor) StartCompositor(options);
    Run();
    ASSERT_TRUE(WaitUntil([this] {
        dialog = DialogOn();
        const ui::WindowDesc& window = frmWindowControls::kWindow;
        return dialog.w == Px(window.client_width + 2 * window.frame) &&
               dialog.h == Px(window.client_height + 2 * window.frame);
    })) << "no dialog of the right size: found " << dialog.w << "x" << dialog.h << "; "
        << (locker->Running() ? "still running" : "the program ended") << "\nstderr: " << locker->Stderr();
    ASSERT_TRUE(StatusBecomes(kYellow));
}

Rect WaylandTest::OnScreen(int control) {
    const ui::ControlDesc& c = frmWindowControls::kControls[control];
    const int frame = Px(frmWindowControls::kWindow.frame);
    return {dialog.x + frame + Px(c.left), dialog.y + frame + Px(c.top), Px(c.width), Px(c.height)};
}

void WaylandTest::MoveTo(int x, int y) {
    // The virtual pointer moves in the output's surface coordinates.
    input->MoveTo(x / scale, y / scale, options.width / scale, options.height / scale);
}

void WaylandTest::ClickOn(int control) {
    const Rect r = OnScreen(control);
    MoveTo(r.x + r.w / 2, r.y + r.h / 2);
    input->Click();
    MoveTo(0, 0);
}

Rgb WaylandTest::StatusColour() {
    const Rect r = OnScreen(e2e::kStatus);
    // Inside the border; the caption is a minority of the pixels.
    return Dominant(Shot(), {r.x + 2, r.y + 2, r.w - 4, r.h - 4});
}

::testing::AssertionResult WaylandTest::StatusBecomes(Rgb colour) {
    Rgb seen;
    if (WaitUntil([&] { return (seen = StatusColour()) == colour; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the status label shows " << e2e::ToString(seen) << ", expected "
                                         << e2e::ToString(colour);
}

void WaylandTest::LockWith(const std::string& password) {
    input->Type(password);
    input->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
}

std::string WaylandTest::Ending(double timeout_seconds) {
    const auto status = locker->WaitExit(timeout_seconds);
    return status ? status->Describe() : "still running";
}

bool WaylandTest::AllOf(const std::string& output, Rgb colour) {
    const Image image = Shot(output);
    return !image.Empty() && image.Count(colour) == image.width * image.height;
}

::testing::AssertionResult WaylandTest::DesktopShows() {
    Image image;
    if (WaitUntil([&] {
            image = Shot();
            return !image.Empty() && image.Count(kBlack) == 0 && image.Count(kDeadLockRed) == 0;
        }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the session is still locked: " << image.Count(kBlack) << " black and "
                                         << image.Count(kDeadLockRed) << " red pixels";
}

}  // namespace wayland
