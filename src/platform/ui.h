// The seam between the program's windows and the window system below them.
// Each backend (x11/, wayland/, win32/) implements every function declared
// here, the self-drawn ones with the shared dialog engine (dialog/); the
// windows above include this header and nothing of the window system.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lock/LockView.h"
#include "lock/SecretText.h"

namespace ui {

// ---- Describing windows and controls -------------------------------------

enum class ControlKind { Label, PasswordBox, PushButton, GroupBox, Image };

// A colour with this bit set names a system colour by its index in the low
// byte (8 is the colour of window text).
inline constexpr Colour kSystemColour = 0x80000000u;

// The system colours the program names, by their indices.
enum SystemColour : unsigned {
    kWindowColour = 5,
    kWindowTextColour = 8,
    kButtonFaceColour = 15,
    kButtonShadowColour = 16,
    kButtonTextColour = 18,
};
inline constexpr Colour system_colour(SystemColour index) { return kSystemColour | index; }
inline constexpr unsigned system_colour_index(Colour colour) { return colour & 0xFFu; }
// The platform's usual colour for that part of that control.
inline constexpr Colour kDefaultColour = 0xFFFFFFFFu;

struct Font {
    const char* face = nullptr;  // nullptr: the platform's dialog font
    double points = 0;
    bool bold = false;
};

enum ControlFlags : unsigned {
    kCentred = 1u << 0,     // text centred horizontally
    kAutoSize = 1u << 1,    // a label that takes the size of its text
    kOpaque = 1u << 2,      // a label that paints its background
    kBorder = 1u << 3,      // a single flat border
    kDisabled = 1u << 4,    // disabled at start
    kHelpCursor = 1u << 5,  // the arrow-with-question-mark pointer over it
};

struct ControlDesc {
    const char* name;  // the control's name, for tests and debugging
    ControlKind kind;
    const char* text;  // '&' marks the access key; Image shows the program icon
    // Twips, in the client area of the window or of the containing group box.
    int left, top, width, height;
    int tab_index;  // -1 where the control has none
    int parent;     // index of the containing group box, or -1
    Font font;
    Colour fore = kDefaultColour;
    Colour back = kDefaultColour;
    unsigned flags = 0;
    int max_length = 0;  // PasswordBox: most characters it holds
};

enum class WindowKind {
    Cover,   // borderless, black, over every monitor
    Dialog,  // fixed dialog frame without a title bar, centred
};

struct WindowDesc {
    const char* title;
    WindowKind kind;
    int client_width, client_height;  // twips; unused for Cover
    int frame;                        // twips on every side
    Colour back;
    const ControlDesc* controls;
    std::size_t control_count;
};

// ---- Events --------------------------------------------------------------

// Why something outside the dialog asks the program to end.
enum class EndRequest {
    Terminate,   // a plain request to end (SIGTERM)
    Interrupt,   // an interrupt or a hang-up, easily sent by accident
    SessionEnd,  // the session itself is ending and takes the program down
};

// A window's handlers. The backend calls them on the one window thread.
class FormEvents {
public:
    virtual void on_click(int /*control*/) {}
    virtual void on_change(int /*control*/) {}
    // A typed character on its way into a password box; 0 drops it.
    virtual void on_key_press(int /*control*/, int& /*code*/) {}
    // Someone asked the window to close; the handler ends the program or
    // leaves everything as it is.
    virtual void on_close_request() {}
    // The handler ends the program with status, or refuses by returning.
    virtual void on_end_request(EndRequest /*request*/, int /*status*/) {}

protected:
    ~FormEvents() = default;
};

// ---- Windows -------------------------------------------------------------

struct Window;

// Makes the window from its description; nothing is shown yet.
Window* create_window(const WindowDesc& desc, FormEvents& events);

// Shows the window and returns.
void show(Window* window);

// Serves events with the window modal, in front of the program's others,
// until the program ends; never returns.
[[noreturn]] void serve_events(Window* modal);

// Lifts the window above every ordinary window; moves and resizes nothing.
void make_topmost(Window* window);

// Sets the outer height, keeping left, top and width.
void set_outer_height(Window* window, int twips);

// Produces Alt+key for the window as if typed, without waiting for it;
// it takes effect once events are served.
void send_access_key(Window* window, char key);

// ---- Controls (by their index in the window's description) ----------------

SecretText text(Window* window, int control);
// Runs on_change before returning whenever the text actually changes.
void set_text(Window* window, int control, const SecretText& text);

bool enabled(Window* window, int control);
void set_enabled(Window* window, int control, bool enabled);

void set_caption(Window* window, int control, const char* caption);
void set_back_colour(Window* window, int control, Colour colour);

// ---- The system ----------------------------------------------------------

// Holds back every way to reach other programs while on. A backend that
// cannot hold them says why and ends the program with status 1.
void set_system_key_block(bool on);

// The platform's lower-case conversion of the whole text.
SecretText lower_case(const SecretText& text);

// Keeps memory that will hold typed text out of swap, where the system
// allows it; nothing happens where it does not.
void keep_in_memory(const void* data, std::size_t size);

// Ends the process at once; every window goes with it.
[[noreturn]] void end_program(int status);

}  // namespace ui
