// The test's X connection. Errors are swallowed: the program's windows may
// vanish between two requests, and Xlib's default handler would end the test.
#include "x_client.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <map>
#include <stdexcept>

namespace e2e {
namespace {

int IgnoreError(Display*, XErrorEvent*) { return 0; }

int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int Channel(unsigned long pixel, unsigned long mask) {
    const unsigned long bits = mask >> MaskShift(mask);
    return bits ? static_cast<int>(((pixel & mask) >> MaskShift(mask)) * 255 / bits) : 0;
}

unsigned long KeysymOf(char32_t c) {
    switch (c) {
    case '\r':
    case '\n': return XK_Return;
    case '\t': return XK_Tab;
    case '\b': return XK_BackSpace;
    default:
        // Latin-1 keysyms are the code points; the rest of Unicode is offset.
        return c < 0x100 ? c : 0x01000000 | c;
    }
}

// The code points of UTF-8 text; a broken sequence ends it.
std::u32string Decode(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) break;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += 1 + static_cast<std::size_t>(extra);
    }
    return out;
}

}  // namespace

std::string ToString(const Rgb& c) {
    return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

XClient::XClient(const std::string& display) {
    XSetErrorHandler(IgnoreError);
    dpy_ = XOpenDisplay(display.c_str());
    if (!dpy_) throw std::runtime_error("cannot open " + display);
    root_ = DefaultRootWindow(dpy_);
    int event, error, major, minor;
    if (!XTestQueryExtension(dpy_, &event, &error, &major, &minor))
        throw std::runtime_error("the X server lacks XTest");
}

XClient::~XClient() {
    if (dpy_) XCloseDisplay(dpy_);
}

Rect XClient::RootRect() const {
    const int screen = DefaultScreen(dpy_);
    return {0, 0, DisplayWidth(dpy_, screen), DisplayHeight(dpy_, screen)};
}

void XClient::Sync() const { XSync(dpy_, False); }

Atom XClient::Intern(const char* name) const { return XInternAtom(dpy_, name, False); }

// ---- Windows ---------------------------------------------------------------

std::vector<::Window> XClient::Stack() const {
    ::Window root_return, parent;
    ::Window* children = nullptr;
    unsigned count = 0;
    std::vector<::Window> stack;
    if (XQueryTree(dpy_, root_, &root_return, &parent, &children, &count)) stack.assign(children, children + count);
    if (children) XFree(children);
    return stack;
}

std::optional<WindowState> XClient::State(::Window window) const {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy_, window, &a)) return std::nullopt;
    WindowState state;
    state.rect = {a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
    state.border = a.border_width;
    state.viewable = a.map_state == IsViewable;
    state.override_redirect = a.override_redirect;
    return state;
}

std::optional<std::string> XClient::Name(::Window window) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy_, window, XA_WM_NAME, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) != Success)
        return std::nullopt;
    std::optional<std::string> name;
    if (type != None) name = std::string(data ? reinterpret_cast<char*>(data) : "", format == 8 ? count : 0);
    if (data) XFree(data);
    return name;
}

std::optional<std::pair<std::string, std::string>> XClient::Class(::Window window) const {
    XClassHint hint{nullptr, nullptr};
    if (!XGetClassHint(dpy_, window, &hint)) return std::nullopt;
    std::pair<std::string, std::string> names{hint.res_name ? hint.res_name : "", hint.res_class ? hint.res_class : ""};
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return names;
}

::Window XClient::Find(const char* instance, const char* klass, const char* name) const {
    const std::vector<::Window> stack = Stack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        const auto state = State(*it);
        if (!state || !state->viewable) continue;
        const auto names = Class(*it);
        if (!names || names->first != instance || names->second != klass) continue;
        if (name && Name(*it).value_or("") != name) continue;
        return *it;
    }
    return 0;
}

std::vector<unsigned long> XClient::Property32(::Window window, const char* atom, Atom type) const {
    std::vector<unsigned long> values;
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy_, window, Intern(atom), 0, 1 << 20, False, type, &actual, &format, &count, &after,
                           &data) == Success &&
        actual == type && format == 32 && data) {
        // Xlib hands 32-bit items over as longs, sign-extended: 0xFFFFFFFF
        // comes as all ones.
        const unsigned long* items = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i) values.push_back(items[i] & 0xFFFFFFFFul);
    }
    if (data) XFree(data);
    return values;
}

std::vector<unsigned long> XClient::CardinalProperty(::Window window, const char* atom) const {
    return Property32(window, atom, XA_CARDINAL);
}

std::vector<Atom> XClient::AtomProperty(::Window window, const char* atom) const {
    return Property32(window, atom, XA_ATOM);
}

std::vector<std::string> XClient::Protocols(::Window window) const {
    std::vector<std::string> names;
    Atom* atoms = nullptr;
    int count = 0;
    if (XGetWMProtocols(dpy_, window, &atoms, &count)) {
        for (int i = 0; i < count; ++i) {
            char* name = XGetAtomName(dpy_, atoms[i]);
            if (name) names.emplace_back(name);
            if (name) XFree(name);
        }
    }
    if (atoms) XFree(atoms);
    return names;
}

::Window XClient::MapForeignWindow(Rect rect, Rgb colour, bool override_redirect) {
    XColor xc{};
    xc.red = static_cast<unsigned short>(colour.r * 257);
    xc.green = static_cast<unsigned short>(colour.g * 257);
    xc.blue = static_cast<unsigned short>(colour.b * 257);
    XAllocColor(dpy_, DefaultColormap(dpy_, DefaultScreen(dpy_)), &xc);
    XSetWindowAttributes a{};
    a.background_pixel = xc.pixel;
    a.override_redirect = override_redirect;
    const ::Window window = XCreateWindow(dpy_, root_, rect.x, rect.y, static_cast<unsigned>(rect.w),
                                          static_cast<unsigned>(rect.h), 0, CopyFromParent, InputOutput,
                                          CopyFromParent, CWBackPixel | CWOverrideRedirect, &a);
    XMapRaised(dpy_, window);
    Sync();
    return window;
}

void XClient::Raise(::Window window) {
    XRaiseWindow(dpy_, window);
    Sync();
}

void XClient::Destroy(::Window window) {
    XDestroyWindow(dpy_, window);
    Sync();
}

void XClient::SendDeleteWindow(::Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = Intern("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(Intern("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy_, window, False, NoEventMask, &event);
    Sync();
}

void XClient::KillClientOf(::Window window) {
    XKillClient(dpy_, window);
    Sync();
}

void XClient::SetRootBackground(Rgb colour) {
    XColor xc{};
    xc.red = static_cast<unsigned short>(colour.r * 257);
    xc.green = static_cast<unsigned short>(colour.g * 257);
    xc.blue = static_cast<unsigned short>(colour.b * 257);
    XAllocColor(dpy_, DefaultColormap(dpy_, DefaultScreen(dpy_)), &xc);
    XSetWindowBackground(dpy_, root_, xc.pixel);
    XClearWindow(dpy_, root_);
    Sync();
}

void XClient::SetResources(const std::string& resources) {
    XChangeProperty(dpy_, root_, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
    Sync();
}

// ---- The screen --------------------------------------------------------------

std::vector<Rgb> XClient::Capture(Rect rect) const {
    std::vector<Rgb> pixels;
    XImage* image = XGetImage(dpy_, root_, rect.x, rect.y, static_cast<unsigned>(rect.w),
                              static_cast<unsigned>(rect.h), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<std::size_t>(rect.w * rect.h));
    for (int y = 0; y < rect.h; ++y)
        for (int x = 0; x < rect.w; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            pixels.push_back({Channel(p, image->red_mask), Channel(p, image->green_mask), Channel(p, image->blue_mask)});
        }
    XDestroyImage(image);
    return pixels;
}

Rgb XClient::Pixel(int x, int y) const {
    const std::vector<Rgb> one = Capture({x, y, 1, 1});
    return one.empty() ? Rgb{-1, -1, -1} : one[0];
}

Rgb XClient::Dominant(Rect rect) const {
    std::map<long, int> counts;
    for (const Rgb& c : Capture(rect)) ++counts[(long{c.r} << 16) | (c.g << 8) | c.b];
    long best = -1;
    int most = 0;
    for (const auto& [packed, count] : counts)
        if (count > most) {
            most = count;
            best = packed;
        }
    if (best < 0) return {-1, -1, -1};
    return {static_cast<int>(best >> 16), static_cast<int>((best >> 8) & 0xFF), static_cast<int>(best & 0xFF)};
}

std::string XClient::CursorName() const {
    std::string name;
    XFixesCursorImage* image = XFixesGetCursorImage(dpy_);
    if (image && image->atom) {
        char* text = XGetAtomName(dpy_, image->atom);
        if (text) name = text;
        if (text) XFree(text);
    }
    if (image) XFree(image);
    return name;
}

// ---- Input -------------------------------------------------------------------

unsigned XClient::Keycode(unsigned long keysym, bool* needs_shift) const {
    const KeyCode code = XKeysymToKeycode(dpy_, keysym);
    if (!code) throw std::runtime_error("no key for keysym " + std::to_string(keysym));
    if (needs_shift)
        *needs_shift = XkbKeycodeToKeysym(dpy_, code, 0, 0) != keysym && XkbKeycodeToKeysym(dpy_, code, 0, 1) == keysym;
    return code;
}

void XClient::FakeKey(unsigned keycode, bool press) {
    XTestFakeKeyEvent(dpy_, keycode, press, CurrentTime);
    Sync();
}

void XClient::Type(std::string_view text) {
    const unsigned shift = Keycode(XK_Shift_L, nullptr);
    for (char32_t c : Decode(text)) {
        bool needs_shift = false;
        const unsigned code = Keycode(KeysymOf(c), &needs_shift);
        if (needs_shift) FakeKey(shift, true);
        FakeKey(code, true);
        FakeKey(code, false);
        if (needs_shift) FakeKey(shift, false);
    }
}

void XClient::BindKey(char32_t lower, char32_t upper) { BindKeysyms(KeysymOf(lower), KeysymOf(upper)); }

void XClient::BindKeysym(const char* keysym) {
    const KeySym sym = XStringToKeysym(keysym);
    if (sym == NoSymbol) throw std::runtime_error(std::string("unknown keysym ") + keysym);
    BindKeysyms(sym, sym);
}

void XClient::BindKeysyms(unsigned long lower, unsigned long upper) {
    int min_code = 0, max_code = 0, per_code = 0;
    XDisplayKeycodes(dpy_, &min_code, &max_code);
    KeySym* map = XGetKeyboardMapping(dpy_, static_cast<KeyCode>(min_code), max_code - min_code + 1, &per_code);
    int free_code = 0;
    for (int code = max_code; code >= min_code && !free_code; --code) {
        bool empty = true;
        for (int k = 0; k < per_code; ++k)
            if (map[(code - min_code) * per_code + k] != NoSymbol) empty = false;
        if (empty) free_code = code;
    }
    XFree(map);
    if (!free_code) throw std::runtime_error("no free key to bind");
    KeySym syms[2] = {lower, upper};
    XChangeKeyboardMapping(dpy_, free_code, 2, syms, 1);
    Sync();
}

void XClient::Key(const char* keysym, const std::vector<const char*>& modifiers) {
    const KeySym sym = XStringToKeysym(keysym);
    if (sym == NoSymbol) throw std::runtime_error(std::string("unknown keysym ") + keysym);
    std::vector<unsigned> held;
    for (const char* modifier : modifiers) held.push_back(Keycode(XStringToKeysym(modifier), nullptr));
    for (unsigned code : held) FakeKey(code, true);
    const unsigned code = Keycode(sym, nullptr);
    FakeKey(code, true);
    FakeKey(code, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it) FakeKey(*it, false);
}

void XClient::SendKey(const char* keysym, bool press) {
    XTestFakeKeyEvent(dpy_, Keycode(XStringToKeysym(keysym), nullptr), press, CurrentTime);
    XFlush(dpy_);
}

void XClient::MoveTo(int x, int y) {
    XTestFakeMotionEvent(dpy_, -1, x, y, CurrentTime);
    Sync();
}

void XClient::Click(int x, int y, unsigned button) {
    MoveTo(x, y);
    Button(true, button);
    Button(false, button);
}

void XClient::Button(bool press, unsigned button) {
    XTestFakeButtonEvent(dpy_, button, press, CurrentTime);
    Sync();
}

// ---- Grabs -------------------------------------------------------------------

int XClient::TryGrabKeyboard(bool keep) {
    const int result = XGrabKeyboard(dpy_, root_, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess && !keep) XUngrabKeyboard(dpy_, CurrentTime);
    Sync();
    return result;
}

int XClient::TryGrabPointer(bool keep) {
    const int result = XGrabPointer(dpy_, root_, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None,
                                    CurrentTime);
    if (result == GrabSuccess && !keep) XUngrabPointer(dpy_, CurrentTime);
    Sync();
    return result;
}

void XClient::UngrabAll() {
    XUngrabKeyboard(dpy_, CurrentTime);
    XUngrabPointer(dpy_, CurrentTime);
    Sync();
}

}  // namespace e2e
