// The fixture: one server and one program per test, both gone at the end.
#include "locker_test.h"

#include <iostream>

namespace e2e {

void LockerTest::SetUp() {
    server = std::make_unique<XServer>(1024, 768, screen_depth);
    x = std::make_unique<XClient>(server->display());
    // White, so anything the cover fails to hide stands out.
    x->SetRootBackground(kWhite);
}

void LockerTest::TearDown() {
    if (locker && locker->Running()) {
        const std::string err = locker->Stderr();
        if (!err.empty()) std::cerr << "umbrafold stderr:\n" << err;
    }
    locker.reset();
    x.reset();
    server.reset();
}

Process& LockerTest::Run(const std::vector<std::string>& args) {
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.argv.insert(spawn.argv.end(), args.begin(), args.end());
    spawn.set_env = {{"DISPLAY", server->display()}};
    spawn.unset_env = {"WAYLAND_DISPLAY"};
    return Run(spawn);
}

Process& LockerTest::Run(const Spawn& spawn) {
    locker = std::make_unique<Process>(spawn);
    return *locker;
}

void LockerTest::StartLocker() {
    Run();
    ASSERT_TRUE(WaitUntil([this] { return (dialog = FindDialog()) && (cover = FindCover()); }))
        << "the windows did not appear; " << (locker->Running() ? "still running" : "the program ended")
        << "\nstderr: " << locker->Stderr();
    ASSERT_TRUE(StatusBecomes(kYellow));
}

::Window LockerTest::FindDialog() const { return x->Find("umbrafold", "Umbrafold", ""); }
::Window LockerTest::FindCover() const { return x->Find("umbrafold", "Umbrafold", "Form1"); }

Rect LockerTest::DialogRect() const {
    const auto state = x->State(dialog);
    return state ? state->rect : Rect{};
}

// Controls inside a group box are placed in its coordinates; the ones the
// tests touch are not.
Rect LockerTest::OnScreen(int control) const {
    const ui::ControlDesc& c = frmWindowControls::kControls[control];
    const Rect window = DialogRect();
    const int frame = Px(frmWindowControls::kWindow.frame);
    return {window.x + frame + Px(c.left), window.y + frame + Px(c.top), Px(c.width), Px(c.height)};
}

void LockerTest::ClickOn(int control) {
    const Rect r = OnScreen(control);
    x->Click(r.x + r.w / 2, r.y + r.h / 2);
}

Rgb LockerTest::StatusColour() const {
    Rect r = OnScreen(kStatus);
    // Inside the border; the caption is a minority of the pixels.
    return x->Dominant({r.x + 2, r.y + 2, r.w - 4, r.h - 4});
}

::testing::AssertionResult LockerTest::StatusBecomes(Rgb colour) {
    if (WaitUntil([&] { return StatusColour() == colour; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the status label shows " << ToString(StatusColour()) << ", expected "
                                         << ToString(colour);
}

::testing::AssertionResult LockerTest::DialogHeightBecomes(int pixels) {
    if (WaitUntil([&] { return DialogRect().h == pixels; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the dialog is " << DialogRect().h << " pixels high, expected " << pixels;
}

void LockerTest::LockWith(const std::string& password) {
    x->Type(password);
    x->Key("Return");
    ASSERT_TRUE(StatusBecomes(kLightRed));
}

std::string LockerTest::Ending(double timeout_seconds) {
    const auto status = locker->WaitExit(timeout_seconds);
    return status ? status->Describe() : "still running";
}

}  // namespace e2e
