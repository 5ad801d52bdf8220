// What is typed stays inside the process: it cannot be dumped or read by
// another process, writes no core, and the password shows up in no window
// property, in no environment and in no output.
#include "attack_test.h"

#include <X11/Xatom.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fcntl.h>

namespace attack {
namespace {

// Letters no control of the dialog shows, so any hit is the password.
constexpr const char* kSecret = "qjxzkv";

// Every window below the root, the root included.
void CollectWindows(Display* d, ::Window window, std::vector<::Window>& all) {
    all.push_back(window);
    ::Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, window, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) CollectWindows(d, children[i], all);
    if (children) XFree(children);
}

// The values of every property of every window, as raw bytes.
std::string AllProperties(Display* d, ::Window root) {
    std::vector<::Window> windows;
    CollectWindows(d, root, windows);
    std::string bytes;
    for (::Window w : windows) {
        int count = 0;
        Atom* atoms = XListProperties(d, w, &count);
        for (int i = 0; i < count; ++i) {
            Atom type;
            int format;
            unsigned long items, after;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(d, w, atoms[i], 0, 1 << 20, False, AnyPropertyType, &type, &format, &items,
                                   &after, &data) == Success &&
                data)
                bytes.append(reinterpret_cast<char*>(data), items * static_cast<unsigned long>(format / 8));
            if (data) XFree(data);
        }
        if (atoms) XFree(atoms);
    }
    return bytes;
}

using Secrets = AttackTest;

// Run as root, the test starts the program as nobody, so that the kernel's
// answer for a process that is not dumpable becomes visible: its /proc
// files then belong to root instead of to the process's own user.
TEST_F(Secrets, ProcessCannotBeDumpedOrRead) {
    Spawn spawn;
    const bool as_root = getuid() == 0;
    if (as_root) spawn.argv = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    spawn.argv.push_back(UMBRAFOLD_PATH);
    spawn.set_env = {{"DISPLAY", server->display()}, {"HOME", "/nonexistent"}};
    spawn.unset_env = {"WAYLAND_DISPLAY"};
    Run(spawn);
    ASSERT_TRUE(WaitUntil([this] { return (dialog = FindDialog()) && (cover = FindCover()); })) << locker->Stderr();
    const int pid = locker->pid();

    EXPECT_NE(e2e::ReadProcFile(pid, "limits").find("Max core file size        0                    0"), std::string::npos)
        << e2e::ReadProcFile(pid, "limits");
    const std::string environ_path = "/proc/" + std::to_string(pid) + "/environ";
    if (as_root) {
        ASSERT_NE(e2e::ReadProcFile(pid, "status").find("Uid:\t65534"), std::string::npos) << "not running as nobody";
        struct stat info {};
        ASSERT_EQ(stat(environ_path.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 0u) << "the process is dumpable: its /proc files belong to its own user";
    } else {
        const int fd = open(environ_path.c_str(), O_RDONLY);
        const int error = errno;
        EXPECT_LT(fd, 0) << "the environment of the process is readable by its own user";
        EXPECT_EQ(error, EACCES);
        if (fd >= 0) close(fd);
    }
}

TEST_F(Secrets, PasswordAppearsNowhereOutside) {
    StartLocker();
    LockWith(kSecret);
    x->Type(kSecret);
    ASSERT_TRUE(StatusBecomes(kLightGreen));
    const std::string properties = AllProperties(x->display(), x->root());
    EXPECT_GT(properties.size(), 0u);
    EXPECT_EQ(properties.find(kSecret), std::string::npos) << "the password is in a window property";
    EXPECT_EQ(e2e::ReadProcFile(locker->pid(), "environ").find(kSecret), std::string::npos);
    x->Key("Return");
    EXPECT_EQ(Ending(), "exit status 0");
    EXPECT_EQ(locker->Stdout().find(kSecret), std::string::npos);
    EXPECT_EQ(locker->Stderr().find(kSecret), std::string::npos);
}

}  // namespace
}  // namespace attack
