// The fake window system: the seam's functions over plain data.
#include "fake_ui.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "windows/frmWindowControls.h"

namespace ui {
struct Window {
    const WindowDesc* desc;
    FormEvents* events;
    int outer_height = 0;
};
}  // namespace ui

namespace fake {
namespace {

using namespace frmWindowControls;

ui::Window* g_dialog = nullptr;
std::vector<ControlState> g_controls;
int g_focus = -1;
char g_pending_key = 0;
bool g_key_block = false;

const ui::ControlDesc& Desc(int control) { return kControls[control]; }
bool IsButton(int control) { return Desc(control).kind == ui::ControlKind::PushButton; }
bool Focusable(int control) {
    const ui::ControlKind kind = Desc(control).kind;
    return (kind == ui::ControlKind::PasswordBox || kind == ui::ControlKind::PushButton) && g_controls[control].enabled;
}

// The next enabled control with a place in the tab order, or -1.
int NextInTabOrder(int from, int step) {
    int order = from >= 0 ? Desc(from).tab_index : (step > 0 ? -1 : kCount);
    for (int tries = 0; tries < 2 * kCount; ++tries) {
        order = (order + step + kCount) % kCount;
        for (int i = 0; i < kCount; ++i)
            if (Desc(i).tab_index == order && Focusable(i)) return i;
    }
    return -1;
}

void Press(int control) {
    if (g_controls[control].enabled) g_dialog->events->on_click(control);
}

void Changed(int control) { g_dialog->events->on_change(control); }

}  // namespace

ui::Window* Dialog() { return g_dialog; }
const ControlState& Control(int index) { return g_controls[index]; }
int Focus() { return g_focus; }
int OuterHeight() { return g_dialog ? g_dialog->outer_height : 0; }
bool KeyBlockOn() { return g_key_block; }

void Reset() {
    g_controls.assign(kCount, ControlState{});
    for (int i = 0; i < kCount; ++i) {
        g_controls[i].enabled = !(Desc(i).flags & ui::kDisabled);
        g_controls[i].caption = Desc(i).text ? Desc(i).text : "";
        g_controls[i].back = Desc(i).back;
    }
    g_focus = -1;
    g_pending_key = 0;
    g_key_block = false;
}

void TypeCharacter(int code) {
    if (g_focus != txtPass) {
        if (g_focus >= 0 && IsButton(g_focus) && code == 13) Press(g_focus);
        return;
    }
    g_dialog->events->on_key_press(txtPass, code);
    ControlState& box = g_controls[txtPass];
    bool changed = false;
    if (code == 8) {
        if (box.caret > 0) box.text.erase(static_cast<std::size_t>(--box.caret), 1), changed = true;
    } else if (code >= 0x20 && code != 0x7F &&
               box.text.size() < static_cast<std::size_t>(Desc(txtPass).max_length)) {
        box.text.insert(static_cast<std::size_t>(box.caret++), 1, static_cast<char32_t>(code));
        changed = true;
    }
    if (changed) Changed(txtPass);
}

void EditKey(int key) {
    if (g_focus != txtPass) return;
    ControlState& box = g_controls[txtPass];
    const int length = static_cast<int>(box.text.size());
    switch (key) {
    case 0: box.caret = box.caret > 0 ? box.caret - 1 : 0; break;
    case 1: box.caret = box.caret < length ? box.caret + 1 : length; break;
    case 2: box.caret = 0; break;
    case 3: box.caret = length; break;
    default:
        if (box.caret < length) {
            box.text.erase(static_cast<std::size_t>(box.caret), 1);
            Changed(txtPass);
        }
    }
}

void Click(int control) {
    if (Desc(control).kind == ui::ControlKind::PasswordBox) {
        g_focus = control;
    } else if (IsButton(control)) {
        if (!g_controls[control].enabled) return;
        g_focus = control;
        Press(control);
    } else if (Desc(control).flags & ui::kHelpCursor) {
        g_dialog->events->on_click(control);
    }
}

// '&' marks a control's access key; a label's passes the focus on.
void AccessKey(char key) {
    for (int i = 0; i < kCount; ++i) {
        const char* amp = Desc(i).text ? std::strchr(Desc(i).text, '&') : nullptr;
        if (!amp || std::tolower(static_cast<unsigned char>(amp[1])) != std::tolower(static_cast<unsigned char>(key)))
            continue;
        if (IsButton(i))
            Press(i);
        else
            g_focus = NextInTabOrder(i, +1);
        return;
    }
}

void Tab(bool backwards) { g_focus = NextInTabOrder(g_focus, backwards ? -1 : +1); }

void Space() {
    if (g_focus == txtPass) return TypeCharacter(' ');
    if (g_focus >= 0 && IsButton(g_focus)) Press(g_focus);
}

void DeliverPendingAccessKey() {
    const char key = g_pending_key;
    g_pending_key = 0;
    if (key) AccessKey(key);
}

std::u32string Decode(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = extra ? c & (0x3F >> extra) : c;
        for (int k = 1; k <= extra && i + k < text.size(); ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string Encode(const std::u32string& text) {
    std::string out;
    for (char32_t cp : text) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace fake

namespace ui {

using namespace fake;

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    Window* w = new Window{&desc, &events};
    if (desc.kind == WindowKind::Dialog) {
        g_dialog = w;
        Reset();
    }
    return w;
}

void show_modeless(Window* window) { window->events->on_load(); }
void show_modal(Window*) { throw ProgramEnded{-1}; }  // the driver runs the loop itself
void make_topmost(Window*) {}
void set_outer_height(Window* window, int twips) { window->outer_height = twips; }
void send_access_key(Window*, char key) { g_pending_key = key; }

SecretText text(Window*, int control) { return SecretText(Encode(g_controls[control].text)); }

void set_text(Window*, int control, const SecretText& text) {
    ControlState& c = g_controls[control];
    const std::u32string now = Decode(text.view());
    if (now == c.text) return;
    c.text = now;
    c.caret = static_cast<int>(now.size());
    Changed(control);
}

bool enabled(Window*, int control) { return g_controls[control].enabled; }

// A disabled control cannot keep the focus; it passes on in tab order.
void set_enabled(Window*, int control, bool on) {
    g_controls[control].enabled = on;
    if (!on && g_focus == control) g_focus = NextInTabOrder(control, +1);
}

void set_caption(Window*, int control, const char* caption) { g_controls[control].caption = caption; }
void set_back_colour(Window*, int control, Colour colour) { g_controls[control].back = colour; }
void set_system_key_block(bool on) { g_key_block = on; }

// Latin-1 and Greek capitals have their small letters at a fixed distance.
SecretText lower_case(const SecretText& text) {
    std::u32string chars = Decode(text.view());
    for (char32_t& c : chars) {
        if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2))
            c += 0x20;
    }
    return SecretText(Encode(chars));
}

void keep_in_memory(const void*, std::size_t) {}

void end_program(int status) { throw ProgramEnded{status}; }

}  // namespace ui
