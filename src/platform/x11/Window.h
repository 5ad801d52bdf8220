// A top-level window of the program: the native window, its controls and
// its back buffer.
#pragma once

#include <vector>

#include "platform/ui.h"
#include "platform/x11/Controls.h"
#include "platform/x11/Display.h"
#include "platform/x11/Drawing.h"

struct ui::Window {
    const ui::WindowDesc* desc = nullptr;
    ui::FormEvents* events = nullptr;
    ::Window xwindow = 0;
    ::Window help_area = 0;  // an input-only window that shows the help pointer
    x11::Rect outer;         // in root coordinates
    int frame = 0;           // pixels on every side
    std::vector<x11::Control> controls;
    int focus = -1;
    int pushed = -1;  // the button the mouse went down on
    bool fitted = false;
    bool mapped = false;  // shown by us, so to be kept shown
    bool dirty = true;
    x11::Canvas canvas;

    bool is_cover() const { return desc->kind == ui::WindowKind::Cover; }
    int client_height() const { return outer.h - 2 * frame; }
};

namespace x11 {

// Every window the program made, cover first.
const std::vector<ui::Window*>& AllWindows();
ui::Window* FindWindow(::Window xwindow);
ui::Window* DialogWindow();

// Puts the program's windows back above everything else, cover first so
// the dialog ends in front of it.
void RaiseAll();
// The same, but only where another window has come between or above ours;
// for our own restacking, which raising would report again.
void KeepOnTop();
// Fits the cover to the root and centres the dialog on the primary monitor.
void FitToScreen();

// The pointer shapes, set once the dialog is first drawn.
void SetPointers(ui::Window* window);
// Another client destroyed the window: make it again, same state.
void Recreate(ui::Window* window);
// Another client unmapped, moved or resized it: put it back.
void Restore(ui::Window* window, const Rect& now, bool mapped);

void Paint(ui::Window* window);
void Invalidate(ui::Window* window);

// Focus moves, skipping controls that cannot take it; step +1 or -1.
void MoveFocus(ui::Window* window, int from, int step);
void SetFocus(ui::Window* window, int control);

// Wipes the text of every password box.
void WipeAllText();

}  // namespace x11
