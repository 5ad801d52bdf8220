// An in-memory window system behind the seam, for driving the lock window
// without a display: each control keeps its text, enabled state, caption
// and colour, the box edits like the real one, and ending the program
// throws instead of leaving the process.
#pragma once

#include <string>

#include "platform/ui.h"

namespace fake {

// Thrown by ui::end_program.
struct ProgramEnded {
    int status;
};

// What the seam was asked to show, per control of the lock window.
struct ControlState {
    std::u32string text;  // password box only
    int caret = 0;
    bool enabled = true;
    std::string caption;
    Colour back = ui::kDefaultColour;
};

// The lock window as the fake holds it; null before it is created.
ui::Window* Dialog();
const ControlState& Control(int index);
int Focus();
// The outer height the window was last given, in twips; 0 if never.
int OuterHeight();
bool KeyBlockOn();

// Puts every control back as its description has it and forgets the
// focus; the window's own handlers are not touched.
void Reset();

// Input as a user would make it, routed as the real backends route it.
void TypeCharacter(int code);  // a printable character, 8 or 13
void EditKey(int key);         // 0 Left, 1 Right, 2 Home, 3 End, 4 Delete
void Click(int control);
void AccessKey(char key);
void Tab(bool backwards);
void Space();
// Runs the access key the window asked for on load, if any.
void DeliverPendingAccessKey();

// UTF-8 to code points and back.
std::u32string Decode(std::string_view text);
std::string Encode(const std::u32string& text);

}  // namespace fake
