// While locked, no key, button or motion reaches another client, and a
// window manager's key bindings do not fire. After the unlock both work
// again, which shows the listeners could have heard.
#include "attack_test.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace attack {
namespace {

// Window-manager bindings in openbox's notation, each of which would run a
// command that leaves a marker file.
constexpr const char* kBindings[] = {"A-Tab", "A-F4", "W-e", "C-A-t"};
// A binding of its own to learn when the window manager has taken its keys:
// a command it ran late could leave its marker after any clean-up, so the
// markers of the bindings above must never be made before the lock.
constexpr const char* kReadyBinding = "W-r";

constexpr long kInputEvents = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask;

// A foreign client with a full-screen window that asks for every input
// event and takes the focus.
class Listener {
public:
    explicit Listener(const std::string& display) : client_(display) {
        Display* d = client_.display();
        window_ = client_.MapForeignWindow(client_.RootRect(), kMagenta, false);
        XSelectInput(d, window_, kInputEvents);
        XSetInputFocus(d, window_, RevertToParent, CurrentTime);
        client_.Sync();
        Drain();
    }
    // Input events received since the last call.
    int Drain() {
        Display* d = client_.display();
        client_.Sync();
        int count = 0;
        while (XPending(d)) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == KeyPress || event.type == KeyRelease || event.type == ButtonPress ||
                event.type == ButtonRelease || event.type == MotionNotify)
                ++count;
        }
        return count;
    }
    void TakeFocus() {
        XSetInputFocus(client_.display(), window_, RevertToParent, CurrentTime);
        client_.Sync();
    }

private:
    XClient client_;
    ::Window window_ = 0;
};

// Keys, clicks and moves all over the screen, away from the dialog.
void Fidget(XClient& x) {
    x.Type("hello");
    x.Key("Tab", {"Alt_L"});
    x.Key("Escape");
    for (int i = 0; i < 5; ++i) x.Click(10 + 37 * i, 20 + 29 * i, 1 + i % 3);
    x.MoveTo(900, 700);
}

using InputLeaks = AttackTest;

TEST_F(InputLeaks, ForeignWindowHearsNothingWhileLocked) {
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    Listener listener(server->display());
    ASSERT_TRUE(WaitUntil([this] { return OursOnTop(); }));
    listener.TakeFocus();
    Fidget(*x);
    EXPECT_EQ(listener.Drain(), 0) << "input reached another client's window";
    ExpectGrabsHeldThroughout();
    ClearBox();  // the fidgeting typed into it
    UnlockWithPassword();

    listener.TakeFocus();
    Fidget(*x);
    EXPECT_GT(listener.Drain(), 0) << "the listener hears nothing even without the lock";
}

class WindowManagerKeys : public AttackTest {
protected:
    void SetUp() override {
        AttackTest::SetUp();
        char dir[] = "/tmp/umbrafold-attack-openbox-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        std::ofstream rc(folder + "/rc.xml");
        rc << "<?xml version=\"1.0\"?>\n<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><keyboard>\n";
        std::vector<const char*> keys(std::begin(kBindings), std::end(kBindings));
        keys.push_back(kReadyBinding);
        for (const char* key : keys)
            rc << "<keybind key=\"" << key << "\"><action name=\"Execute\"><command>touch " << Marker(key)
               << "</command></action></keybind>\n";
        rc << "</keyboard></openbox_config>\n";
        rc.close();
        Spawn spawn;
        spawn.argv = {OPENBOX_PATH, "--config-file", folder + "/rc.xml"};
        spawn.set_env = {{"DISPLAY", server->display()}, {"HOME", folder}};
        wm = std::make_unique<Process>(spawn);
        ASSERT_TRUE(WaitUntil([this] { return WindowManagerCheck(); })) << wm->Stderr();
        // The bindings work before the lock: this one must fire. The window
        // manager announces itself before it has taken its keys, so the
        // key is pressed again until it does.
        const bool ready = WaitUntil([this] {
            x->Key("r", {"Super_L"});
            return WaitUntil([this] { return Fired(kReadyBinding); }, 0.3);
        });
        ASSERT_TRUE(ready) << "the window manager's binding does not fire";
    }
    void TearDown() override {
        AttackTest::TearDown();
        wm.reset();
        for (const char* key : kBindings) std::remove(Marker(key).c_str());
        std::remove(Marker(kReadyBinding).c_str());
        if (!folder.empty()) {
            std::remove((folder + "/rc.xml").c_str());
            rmdir(folder.c_str());
        }
    }

    bool WindowManagerCheck() const {
        Atom type;
        int format;
        unsigned long items, after;
        unsigned char* data = nullptr;
        const bool found =
            XGetWindowProperty(x->display(), x->root(), XInternAtom(x->display(), "_NET_SUPPORTING_WM_CHECK", False),
                               0, 1, False, AnyPropertyType, &type, &format, &items, &after, &data) == Success &&
            items == 1;
        if (data) XFree(data);
        return found;
    }
    std::string Marker(const std::string& key) const { return folder + "/fired-" + key; }
    bool Fired(const std::string& key) const {
        struct stat info {};
        return stat(Marker(key).c_str(), &info) == 0;
    }
    void PressBindings() {
        x->Key("Tab", {"Alt_L"});
        x->Key("F4", {"Alt_L"});
        x->Key("e", {"Super_L"});
        x->Key("t", {"Control_L", "Alt_L"});
    }

    std::string folder;
    std::unique_ptr<Process> wm;
};

TEST_F(WindowManagerKeys, NoBindingFiresWhileLocked) {
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    PressBindings();
    // The bindings would run a command; give them time to, then look.
    x->Sync();
    WaitUntil([this] { return Fired("A-Tab") || Fired("A-F4") || Fired("W-e") || Fired("C-A-t"); }, 1.0);
    for (const char* key : kBindings) EXPECT_FALSE(Fired(key)) << key << " fired";
    EXPECT_TRUE(NothingExposed());
    ExpectGrabsHeldThroughout();
    ClearBox();  // the bindings' letters went into it
    UnlockWithPassword();

    x->Key("e", {"Super_L"});
    EXPECT_TRUE(WaitUntil([this] { return Fired("W-e"); })) << "the binding does not fire even without the lock";
}

}  // namespace
}  // namespace attack
