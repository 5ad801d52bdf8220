// The fixture of the attacks made under a compositing manager: the manager
// runs as a child of the test on its display, and is stopped at the end.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "attack_test.h"

namespace attack {

class CompositedTest : public AttackTest {
protected:
    void TearDown() override;

    // Whoever holds the screen's compositing selection is compositing it.
    bool CompositorOwnsScreen() const;
    // Runs argv (the program first) on the test's display and waits until
    // it owns the screen; the test fails with its output where it does not.
    void StartCompositor(const std::vector<std::string>& argv);
    // Ends it and waits until the screen is given up.
    void StopCompositor();

    std::unique_ptr<Process> compositor;
};

}  // namespace attack
