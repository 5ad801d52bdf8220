// Starting and stopping the compositing manager of a test.
#include "composited_test.h"

#include <csignal>

namespace attack {

void CompositedTest::TearDown() {
    StopCompositor();
    AttackTest::TearDown();
}

bool CompositedTest::CompositorOwnsScreen() const {
    return XGetSelectionOwner(x->display(), XInternAtom(x->display(), "_NET_WM_CM_S0", False)) != None;
}

void CompositedTest::StartCompositor(const std::vector<std::string>& argv) {
    Spawn spawn;
    spawn.argv = argv;
    spawn.set_env = {{"DISPLAY", server->display()}};
    compositor = std::make_unique<Process>(spawn);
    ASSERT_TRUE(WaitUntil([this] { return CompositorOwnsScreen(); }))
        << argv[0] << (compositor->Running() ? " is running" : " ended") << "\nstderr: " << compositor->Stderr();
}

void CompositedTest::StopCompositor() {
    if (!compositor) return;
    compositor->Signal(SIGTERM);
    compositor->WaitExit(kTimeout);
    compositor.reset();
    EXPECT_TRUE(WaitUntil([this] { return !CompositorOwnsScreen(); }));
}

}  // namespace attack
