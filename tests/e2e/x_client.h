// A test's own connection to the X server: finds the program's windows,
// reads the screen, types and clicks through XTest, probes the grabs.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb& a, const Rgb& c) { return a.r == c.r && a.g == c.g && a.b == c.b; }
    friend bool operator!=(const Rgb& a, const Rgb& c) { return !(a == c); }
};
std::string ToString(const Rgb& colour);
// How GoogleTest shows a colour in a failure.
inline void PrintTo(const Rgb& colour, std::ostream* out) { *out << ToString(colour); }

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct WindowState {
    Rect rect;  // outer, in root coordinates
    int border = 0;
    bool viewable = false;
    bool override_redirect = false;
};

class XClient {
public:
    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    Display* display() const { return dpy_; }
    ::Window root() const { return root_; }
    Rect RootRect() const;

    // ---- Windows ---------------------------------------------------------
    // Children of the root, bottom of the stacking order first.
    std::vector<::Window> Stack() const;
    // A viewable child of the root with this WM_CLASS and, unless null, this
    // WM_NAME (an empty name matches a missing or empty one); 0 if none.
    ::Window Find(const char* instance, const char* klass, const char* name) const;
    std::optional<WindowState> State(::Window window) const;
    std::optional<std::string> Name(::Window window) const;
    std::optional<std::pair<std::string, std::string>> Class(::Window window) const;
    // The CARDINAL values of a 32-bit property.
    std::vector<unsigned long> CardinalProperty(::Window window, const char* atom) const;
    // The atoms of a 32-bit ATOM property.
    std::vector<Atom> AtomProperty(::Window window, const char* atom) const;
    // Protocols advertised in WM_PROTOCOLS.
    std::vector<std::string> Protocols(::Window window) const;

    // A window of this test client, mapped and raised; its background is
    // filled with colour.
    ::Window MapForeignWindow(Rect rect, Rgb colour, bool override_redirect);
    void Raise(::Window window);
    void Destroy(::Window window);
    // Asks window to close, as a window manager does.
    void SendDeleteWindow(::Window window);
    void KillClientOf(::Window window);
    void SetRootBackground(Rgb colour);
    // Replaces the X resources (RESOURCE_MANAGER on the root), as xrdb does.
    void SetResources(const std::string& resources);

    // ---- The screen ------------------------------------------------------
    Rgb Pixel(int x, int y) const;
    // Every pixel of the rectangle, row by row.
    std::vector<Rgb> Capture(Rect rect) const;
    // The colour most pixels of the rectangle have.
    Rgb Dominant(Rect rect) const;

    // The name of the pointer's current cursor, such as "left_ptr"; empty
    // when it has none.
    std::string CursorName() const;

    // ---- Input through XTest ---------------------------------------------
    // Types the characters of the UTF-8 text, with Shift where the keymap
    // needs it. Characters outside the keymap need BindKey first.
    void Type(std::string_view text);
    // Puts a character pair (lower, upper; Unicode code points) on a key
    // that had nothing on it.
    void BindKey(char32_t lower, char32_t upper);
    // Puts a keysym on a key that had nothing on it ("dead_acute").
    void BindKeysym(const char* keysym);
    // Presses and releases the key with the named keysym ("Tab", "Return",
    // "a") while holding the modifier keys, e.g. {"Alt_L"}.
    void Key(const char* keysym, const std::vector<const char*>& modifiers = {});
    // Presses or releases the key of the named keysym and only flushes the
    // request, without a round trip: for timing what follows from outside.
    void SendKey(const char* keysym, bool press);
    void MoveTo(int x, int y);
    void Click(int x, int y, unsigned button = 1);
    void Button(bool press, unsigned button = 1);

    // ---- Grabs -----------------------------------------------------------
    // The answer of XGrabKeyboard / XGrabPointer on the root; a grab that
    // succeeds is let go at once unless keep is set.
    int TryGrabKeyboard(bool keep = false);
    int TryGrabPointer(bool keep = false);
    void UngrabAll();

    void Sync() const;

private:
    void BindKeysyms(unsigned long lower, unsigned long upper);
    void FakeKey(unsigned keycode, bool press);
    unsigned Keycode(unsigned long keysym, bool* needs_shift) const;
    std::vector<unsigned long> Property32(::Window window, const char* atom, Atom type) const;
    Atom Intern(const char* name) const;

    Display* dpy_ = nullptr;
    ::Window root_ = 0;
};

}  // namespace e2e
