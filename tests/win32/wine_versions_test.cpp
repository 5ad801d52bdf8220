// Umbrafold.exe under each Windows version Wine can imitate, from Windows
// 95 to Windows 10: the start state, a whole lock cycle, and how the
// system keys are held back, read from a trace of the calls that do it.
#include <iostream>
#include <sstream>
#include <string>

#include "wine_test.h"

namespace {

struct Version {
    const char* setting;  // as Wine names it
    bool nt_family;
};

// Names the parameter in the test list.
void PrintTo(const Version& version, std::ostream* out) { *out << version.setting; }

const Version kVersions[] = {
    {"win95", false}, {"win98", false}, {"winme", false},
    {"nt40", true},   {"winxp", true},  {"win10", true},
};

// The traced calls in order, by what each does to the keys.
std::string KeyBlockSteps(const std::string& trace) {
    std::istringstream lines(trace);
    std::string steps, line;
    while (std::getline(lines, line)) {
        std::string step = "unexpected " + line;
        if (line.rfind("SystemParametersInfoA(00000061,ffffffff,", 0) == 0) step = "flag on";
        if (line.rfind("SystemParametersInfoA(00000061,00000000,", 0) == 0) step = "flag off";
        if (line.rfind("SetWindowsHookExA(0000000d,", 0) == 0) step = "hook";  // WH_KEYBOARD_LL
        if (line.rfind("UnhookWindowsHookEx(", 0) == 0) step = "unhook";
        steps += (steps.empty() ? "" : ", ") + step;
    }
    return steps;
}

class WineVersionTest : public WineTest, public ::testing::WithParamInterface<Version> {
protected:
    WineSetup Setup() const override {
        WineSetup setup = VersionSetup(GetParam().setting);
        setup.trace_key_block = true;
        return setup;
    }
};

// The 95 family holds the keys back by the screen-saver flag alone; the NT
// family accepts the flag but ignores it, so a keyboard hook does the work
// there. Both are given back before the program ends.
TEST_P(WineVersionTest, StartsLocksAndHoldsTheKeysBackItsFamilysWay) {
    ExpectBlackCoverOverTheScreen();
    ExpectCompactDialogCentredInFront();
    RunLockCycle();

    const std::string steps = KeyBlockSteps(KeyBlockTrace());
    std::cout << GetParam().setting << ": " << steps << "\n";
    EXPECT_EQ(steps, GetParam().nt_family ? "flag on, hook, flag off, unhook" : "flag on, flag off");
}

INSTANTIATE_TEST_SUITE_P(Versions, WineVersionTest, ::testing::ValuesIn(kVersions),
                         [](const ::testing::TestParamInfo<Version>& test) { return test.param.setting; });

}  // namespace
