// What is typed stays inside the process in a Wayland session too: it
// cannot be dumped or read by another process, writes no core, and the
// password shows in no environment and no output.
#include <sys/stat.h>
#include <unistd.h>


#include "wayland_test.h"

namespace wayland {
namespace {

// Letters no control of the dialog shows, so any hit is the password.
constexpr const char* kSecret = "qjxzkv";

using Secrets = WaylandTest;

// Run as root, the test starts the program as nobody, so that the kernel's
// answer for a process that is not dumpable shows: its /proc files then
// belong to root instead of to the process's own user.
TEST_F(Secrets, ProcessCannotBeDumped) {
    if (getuid() != 0) GTEST_SKIP() << "needs root, to start the program as another user";
    StartCompositor();
    compositor->OpenToAll();
    Spawn spawn;
    spawn.argv = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", UMBRAFOLD_PATH};
    spawn.set_env = compositor->Env();
    spawn.set_env.push_back({"HOME", "/nonexistent"});
    spawn.unset_env = {"DISPLAY"};
    locker = std::make_unique<Process>(spawn);
    ASSERT_TRUE(WaitUntil([&] { return (dialog = DialogOn()).w > 0; })) << locker->Stderr();
    const int pid = locker->pid();
    EXPECT_NE(e2e::ReadProcFile(pid, "limits").find("Max core file size        0                    0"), std::string::npos)
        << e2e::ReadProcFile(pid, "limits");
    ASSERT_NE(e2e::ReadProcFile(pid, "status").find("Uid:\t65534"), std::string::npos) << "not running as nobody";
    struct stat info {};
    ASSERT_EQ(stat(("/proc/" + std::to_string(pid) + "/environ").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u) << "the process is dumpable: its /proc files belong to its own user";
}

TEST_F(Secrets, PasswordAppearsNowhereOutside) {
    StartLocker();
    LockWith(kSecret);
    input->Type(kSecret);
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    EXPECT_EQ(e2e::ReadProcFile(locker->pid(), "environ").find(kSecret), std::string::npos);
    input->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_EQ(locker->Stdout().find(kSecret), std::string::npos);
    EXPECT_EQ(locker->Stderr().find(kSecret), std::string::npos);
}

}  // namespace
}  // namespace wayland
