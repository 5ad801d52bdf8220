// Under a version of the NT family the lock window's keyboard hook keeps
// the keys that switch programs from reaching any other program, and
// they reach it again after Exit. The other program is key_probe.exe,
// which shows the keys it receives in its title.
#include <memory>
#include <string>

#include "wait.h"
#include "wine_test.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

class WineKeysTest : public WineTest {
protected:
    WineSetup Setup() const override { return VersionSetup("winxp"); }

    ::Window Probe() { return x().Find("key_probe.exe", "key_probe.exe", nullptr); }
    std::string ProbeTitle() { return x().Name(Probe()).value_or("<no key probe>"); }
    bool WaitForProbeTitle(const std::string& title) {
        return e2e::WaitUntil([&] { return ProbeTitle() == title; });
    }

    // A click gives the probe, in the top left corner above the lock
    // window, the foreground; its title says when it has it.
    bool ActivateProbe(const std::string& keys) {
        x().Click(20, 20);
        return WaitForProbeTitle("active:" + keys);
    }

    // Alt+Tab, Alt+Esc, Ctrl+Esc and the Windows key, then a letter that
    // shows the probe has had every key before it.
    void PressSwitchingKeysThen(const char* letter) {
        x().Key("Tab", {"Alt_L"});
        x().Key("Escape", {"Alt_L"});
        x().Key("Escape", {"Control_L"});
        x().Key("Super_L");
        x().Type(letter);
    }
};

TEST_F(WineKeysTest, SwitchingKeysReachAnotherProgramOnlyAfterExit) {
    const std::unique_ptr<e2e::Process> probe = StartOther(KEY_PROBE_EXE);
    ASSERT_TRUE(ActivateProbe("")) << "the key probe is not active: " << ProbeTitle();
    x().Type("a");
    ASSERT_TRUE(WaitForProbeTitle("active:a")) << "the probe gets no keys: " << ProbeTitle();

    // The letters come through, the switching keys do not.
    PressSwitchingKeysThen("b");
    EXPECT_TRUE(WaitForProbeTitle("active:ab")) << "the probe got " << ProbeTitle();

    ClickControl(cmdExit);
    const auto status = WaitExit();
    ASSERT_TRUE(status) << "Exit did not end the program";
    EXPECT_TRUE(EndedWithZero(*status)) << status->Describe();

    // T for Tab, E for each Escape, W for the Windows key.
    ASSERT_TRUE(ActivateProbe("ab")) << "the key probe is not active again: " << ProbeTitle();
    PressSwitchingKeysThen("c");
    EXPECT_TRUE(WaitForProbeTitle("active:abTEEWc")) << "the probe got " << ProbeTitle();
}

}  // namespace
