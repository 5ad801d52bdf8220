// Another client unmaps, moves, resizes, lowers or destroys the cover or the
// lock window: it is back, on top and in place, within half a second, while
// the grabs hold and the box keeps what was typed into it.
#include "attack_test.h"

#include <X11/Xlib.h>

#include <functional>

namespace attack {
namespace {

// Restoring is the requirement itself: half a second.
constexpr double kRestoreDeadline = 0.5;

struct Interference {
    const char* name;
    std::function<void(Display*, ::Window)> act;
};

const Interference kInterferences[] = {
    {"Unmap", [](Display* d, ::Window w) { XUnmapWindow(d, w); }},
    {"Move", [](Display* d, ::Window w) { XMoveWindow(d, w, 37, 41); }},
    {"Resize", [](Display* d, ::Window w) { XResizeWindow(d, w, 60, 30); }},
    {"Destroy", [](Display* d, ::Window w) { XDestroyWindow(d, w); }},
};

struct Case {
    bool on_cover;
    Interference interference;
};

std::string Describe(const Case& c) { return std::string(c.on_cover ? "Cover" : "Dialog") + c.interference.name; }
void PrintTo(const Case& c, std::ostream* out) { *out << Describe(c); }

class Interfering : public AttackTest, public ::testing::WithParamInterface<Case> {};

TEST_P(Interfering, WindowComesBackAndTheLockHolds) {
    const Case c = GetParam();
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    x->Type("pa");
    // A foreign window filling the screen: anything ours fail to cover
    // shows it, and a lowered window of ours falls behind it.
    x->MapForeignWindow(x->RootRect(), kMagenta, false);
    ASSERT_TRUE(WaitUntil([this] { return OursOnTop(); })) << "the foreign window stayed on top";
    // The dialog, uncovered again, is repainted after the keys are served:
    // from here on the program has nothing left to do, and the time it
    // takes to restore is its own.
    ASSERT_TRUE(StatusBecomes(kLightRed));

    const ::Window target = c.on_cover ? cover : dialog;
    const Rect before = c.on_cover ? x->State(cover)->rect : DialogRect();
    c.interference.act(x->display(), target);
    x->Sync();

    const bool restored = WaitUntil(
        [&] {
            if (!FindWindowsAgain() || !OursOnTop()) return false;
            const auto state = x->State(c.on_cover ? cover : dialog);
            if (!state) return false;
            const Rect r = state->rect;
            return r.x == before.x && r.y == before.y && r.w == before.w && r.h == before.h;
        },
        kRestoreDeadline);
    EXPECT_TRUE(restored) << "not back within " << kRestoreDeadline << " s";
    ASSERT_TRUE(WaitUntil([this] { return FindWindowsAgain() && OursOnTop(); }));
    EXPECT_TRUE(NothingExposed());
    ExpectGrabsHeldThroughout();
    FinishPasswordAndUnlock("ss");
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (bool on_cover : {true, false})
        for (const Interference& i : kInterferences) cases.push_back({on_cover, i});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& p) { return Describe(p.param); }

INSTANTIATE_TEST_SUITE_P(Attack, Interfering, ::testing::ValuesIn(AllCases()), CaseName);

const Interference kLowering{"Lower", [](Display* d, ::Window w) { XLowerWindow(d, w); }};
INSTANTIATE_TEST_SUITE_P(AttackLowering, Interfering,
                         ::testing::Values(Case{true, kLowering}, Case{false, kLowering}), CaseName);

}  // namespace
}  // namespace attack
