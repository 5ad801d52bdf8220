// The attack fixture: the locked start, the grab probe and the checks.
#include "attack_test.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace attack {

GrabProbe::GrabProbe(const std::string& display) {
    thread_ = std::thread([this, display] {
        XClient probe(display);
        while (running_) {
            const bool keyboard_held = probe.TryGrabKeyboard() == AlreadyGrabbed;
            const bool pointer_held = probe.TryGrabPointer() == AlreadyGrabbed;
            if (!keyboard_held || !pointer_held) ++failures_;
            ++samples_;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

GrabProbe::~GrabProbe() { Stop(); }

void GrabProbe::Stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
}

void AttackTest::TearDown() {
    probe.reset();
    LockerTest::TearDown();
}

void AttackTest::StartLocked() {
    StartLocker();
    if (HasFatalFailure()) return;
    LockWith(kPassword);
    if (HasFatalFailure()) return;
    StartProbe();
}

void AttackTest::StartProbe() {
    probe = std::make_unique<GrabProbe>(server->display());
    ASSERT_TRUE(WaitUntil([this] { return probe->samples() > 0; }));
}

void AttackTest::ExpectGrabsHeldThroughout() {
    // Some attacks are over in a few milliseconds; the probe goes on a
    // little longer so that it also covers the aftermath.
    const int enough = probe->samples() + 20;
    WaitUntil([&] { return probe->samples() >= enough; });
    probe->Stop();
    EXPECT_GE(probe->samples(), enough);
    EXPECT_EQ(probe->failures(), 0) << "another client could grab in " << probe->failures() << " of "
                                    << probe->samples() << " samples";
}

long AttackTest::ExposedPixels() const {
    // The root's size as it is now; the connection's idea of it dates from
    // when it was opened.
    const auto root_state = x->State(x->root());
    if (!root_state) return -1;
    const Rect root = root_state->rect;
    const Rect d = DialogRect();
    const std::vector<Rgb> pixels = x->Capture(root);
    if (pixels.empty()) return root.w * root.h;
    long exposed = 0;
    for (int y = 0; y < root.h; ++y)
        for (int x0 = 0; x0 < root.w; ++x0) {
            const bool in_dialog = x0 >= d.x && x0 < d.x + d.w && y >= d.y && y < d.y + d.h;
            if (!in_dialog && pixels[static_cast<std::size_t>(y * root.w + x0)] != kBlack) ++exposed;
        }
    return exposed;
}

::testing::AssertionResult AttackTest::NothingExposed(double timeout_seconds) {
    if (WaitUntil([this] { return ExposedPixels() == 0; }, timeout_seconds)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ExposedPixels() << " pixels outside the dialog are not black";
}

bool AttackTest::OursOnTop() const {
    // Unmapped windows (a compositor's selection owner, say) hide nothing.
    std::vector<::Window> shown;
    for (::Window w : x->Stack()) {
        const auto state = x->State(w);
        if (state && state->viewable) shown.push_back(w);
    }
    return shown.size() >= 2 && shown[shown.size() - 1] == dialog && shown[shown.size() - 2] == cover;
}

bool AttackTest::FindWindowsAgain() {
    dialog = FindDialog();
    cover = FindCover();
    return dialog && cover;
}

void AttackTest::ClearBox() {
    x->Key("End");
    for (int i = 0; i < 16; ++i) x->Key("BackSpace");
}

void AttackTest::FinishPasswordAndUnlock(const std::string& rest) {
    ASSERT_TRUE(locker->Running()) << Ending(0);
    // A window of ours that was covered, resized or made anew is drawn
    // again only once the program has caught up: wait for the paint.
    ASSERT_TRUE(StatusBecomes(kLightRed)) << "no longer locked";
    x->Type(rest);
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
}

double CpuSeconds(int pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoul(field);
        if (i == 15) stime = std::stoul(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long ResidentKiB(int pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace attack
