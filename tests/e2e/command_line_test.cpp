// The command line: --help and --version answer and leave without locking,
// anything else is a usage error, and no display is a clear failure.
#include <algorithm>
#include <cctype>

#include "locker_test.h"

namespace e2e {
namespace {

using CommandLine = LockerTest;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Spawn WithoutDisplay(const std::vector<std::string>& args) {
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.argv.insert(spawn.argv.end(), args.begin(), args.end());
    spawn.unset_env = {"DISPLAY", "WAYLAND_DISPLAY"};
    return spawn;
}

TEST_F(CommandLine, VersionPrintsNameAndVersion) {
    Run({"--version"});
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_NE(locker->Stdout().find("Umbrafold 1.00"), std::string::npos) << locker->Stdout();
}

// Answering needs no display, so nothing can have been locked.
TEST_F(CommandLine, VersionAndHelpNeedNoDisplay) {
    Run(WithoutDisplay({"--version"}));
    EXPECT_EQ(Ending(), "exit status 0");
    Run(WithoutDisplay({"--help"}));
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_FALSE(locker->Stdout().empty());
}

TEST_F(CommandLine, HelpPrintsAShortText) {
    Run({"--help"});
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_FALSE(locker->Stdout().empty());
    EXPECT_TRUE(locker->Stderr().empty()) << locker->Stderr();
}

TEST_F(CommandLine, AnyOtherArgumentIsAUsageError) {
    for (const char* arg : {"--bogus", "-v", "lock", "--version=2"}) {
        Run(WithoutDisplay({arg}));
        EXPECT_EQ(Ending(), "exit status 2") << arg;
        EXPECT_NE(Lower(locker->Stderr()).find("usage"), std::string::npos) << arg << ": " << locker->Stderr();
    }
}

TEST_F(CommandLine, ASecondArgumentIsAUsageErrorToo) {
    Run(WithoutDisplay({"--version", "extra"}));
    EXPECT_EQ(Ending(), "exit status 2");
}

TEST_F(CommandLine, UsageErrorDoesNotLock) {
    Run({"--bogus"});
    EXPECT_EQ(Ending(), "exit status 2");
    EXPECT_EQ(x->TryGrabKeyboard(), GrabSuccess);
}

TEST_F(CommandLine, NoDisplayIsAFailure) {
    Run(WithoutDisplay({}));
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_NE(locker->Stderr().find("umbrafold: cannot open display"), std::string::npos) << locker->Stderr();
}

TEST_F(CommandLine, AnUnreachableDisplayIsAFailure) {
    Spawn spawn = WithoutDisplay({});
    spawn.set_env = {{"DISPLAY", ":7999"}};
    Run(spawn);
    EXPECT_EQ(Ending(), "exit status 1");
    EXPECT_NE(locker->Stderr().find("umbrafold: cannot open display"), std::string::npos) << locker->Stderr();
}

// Under a Wayland compositor an X grab holds nothing back: the program
// leaves the lock to its Wayland side, which finds no compositor here and
// says so in one line; nothing was grabbed on the X display.
TEST_F(CommandLine, RefusesToLockInAWaylandSession) {
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.set_env = {{"DISPLAY", server->display()}, {"WAYLAND_DISPLAY", "wayland-0"}};
    Run(spawn);
    EXPECT_EQ(Ending(), "exit status 1");
    const std::string err = locker->Stderr();
    EXPECT_EQ(err.rfind("umbrafold: ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(x->TryGrabKeyboard(), GrabSuccess);
}

}  // namespace
}  // namespace e2e
