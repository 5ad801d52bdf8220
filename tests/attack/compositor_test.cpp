// With a compositing manager running, or starting and stopping while the
// lock holds, nothing shows through the lock or above it: a translucent
// window is pushed below, and what our windows tell the compositor (opaque,
// a dock, to be bypassed) is set again when another client changes it. The
// root's screenshots are the composited picture.
#include "composited_test.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace attack {
namespace {

class Compositor : public CompositedTest {
protected:
    void StartCompositor() { CompositedTest::StartCompositor({XCOMPMGR_PATH}); }

    // A full-screen 32-bit window whose every pixel is half transparent.
    ::Window MapTranslucentWindow() {
        Display* d = x->display();
        XVisualInfo info{};
        if (!XMatchVisualInfo(d, DefaultScreen(d), 32, TrueColor, &info)) return 0;
        XSetWindowAttributes a{};
        a.colormap = XCreateColormap(d, x->root(), info.visual, AllocNone);
        a.background_pixel = 0x80800080;  // premultiplied magenta, alpha one half
        a.border_pixel = 0;
        a.override_redirect = True;
        const Rect r = x->RootRect();
        const ::Window w = XCreateWindow(d, x->root(), 0, 0, static_cast<unsigned>(r.w), static_cast<unsigned>(r.h),
                                         0, 32, InputOutput, info.visual,
                                         CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect, &a);
        XMapRaised(d, w);
        x->Sync();
        return w;
    }

    void SetOpacity(::Window w, unsigned long opacity) {
        XChangeProperty(x->display(), w, XInternAtom(x->display(), "_NET_WM_WINDOW_OPACITY", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<unsigned char*>(&opacity), 1);
        x->Sync();
    }

    // Opaque, a dock (a type compositors count as always focused), and
    // asking to bypass the compositor.
    bool HintsHeld(::Window w) const {
        Display* d = x->display();
        const Atom dock = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DOCK", False);
        const std::vector<unsigned long> opaque{0xFFFFFFFF}, one{1};
        return x->CardinalProperty(w, "_NET_WM_WINDOW_OPACITY") == opaque &&
               x->AtomProperty(w, "_NET_WM_WINDOW_TYPE") == std::vector<Atom>{dock} &&
               x->CardinalProperty(w, "_NET_WM_BYPASS_COMPOSITOR") == one;
    }

    // The checks every phase ends with: nothing above ours, nothing of the
    // screen below showing, the status still red.
    void ExpectLockIntact(const char* phase) {
        SCOPED_TRACE(phase);
        EXPECT_TRUE(WaitUntil([this] { return FindWindowsAgain() && OursOnTop(); }));
        EXPECT_TRUE(NothingExposed());
        EXPECT_TRUE(StatusBecomes(kLightRed));
    }
};

TEST_F(Compositor, TranslucentWindowIsPushedBelow) {
    StartCompositor();
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_NE(MapTranslucentWindow(), 0u) << "the server has no 32-bit visual";
    ExpectLockIntact("translucent window mapped");
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

TEST_F(Compositor, HintsChangedOnOurWindowsAreSetAgain) {
    StartCompositor();
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    Display* d = x->display();
    const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    for (::Window w : {cover, dialog}) {
        EXPECT_TRUE(HintsHeld(w));
        SetOpacity(w, 0x40000000);  // a quarter opaque
        EXPECT_TRUE(WaitUntil([&] { return HintsHeld(w); }, 0.5)) << "the opacity property stayed";
        XDeleteProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False));
        x->Sync();
        EXPECT_TRUE(WaitUntil([&] { return HintsHeld(w); }, 0.5)) << "the opacity property stayed deleted";
        const Atom normal = XInternAtom(d, "_NET_WM_WINDOW_TYPE_NORMAL", False);
        XChangeProperty(d, w, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&normal), 1);
        x->Sync();
        EXPECT_TRUE(WaitUntil([&] { return HintsHeld(w); }, 0.5)) << "the window type stayed normal";
    }
    ExpectLockIntact("hints changed");
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

TEST_F(Compositor, CompositorStartingAndStoppingWhileLocked) {
    StartLocked();
    ASSERT_FALSE(HasFatalFailure());
    x->MapForeignWindow(x->RootRect(), kMagenta, false);
    ExpectLockIntact("no compositor");
    StartCompositor();
    ExpectLockIntact("compositor started");
    ASSERT_NE(MapTranslucentWindow(), 0u);
    SetOpacity(cover, 0x10000000);
    ExpectLockIntact("translucent window and opacity under the compositor");
    EXPECT_TRUE(HintsHeld(cover));
    StopCompositor();
    ExpectLockIntact("compositor stopped");
    StartCompositor();
    ExpectLockIntact("compositor started again");
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

}  // namespace
}  // namespace attack
