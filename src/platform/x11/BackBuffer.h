// The dialog's drawing, in a module of its own (umbrafold-draw.so): Xft,
// fontconfig, FreeType and the libraries they pull in are half of the
// dynamic loader's work at start-up, and the lock needs none of them. The
// program finds the module before it locks and loads it once it holds
// keyboard, pointer and cover.
#pragma once

#include <memory>

#include <X11/Xlib.h>

#include "platform/dialog/Painter.h"
#include "platform/x11/Display.h"

namespace x11 {

// A painter that draws into a back buffer of the window's size and copies
// the buffer to the window in one go.
class BackBuffer : public dialog::Painter {
public:
    virtual ~BackBuffer() = default;
    // Makes sure the back buffer covers width x height of the window.
    virtual void fit(::Window target, int width, int height) = 0;
};

// The module's one entry point; the connection outlives every buffer.
using MakeBackBuffer = BackBuffer* (*)(const Connection* connection);
inline constexpr const char* kMakeBackBuffer = "umbrafold_make_back_buffer";

// Ends the program (status 1, nothing shown) where the module is missing.
void find_drawing_module();
// Loads the module on first use; ends the program where it will not load.
std::unique_ptr<BackBuffer> make_back_buffer();

}  // namespace x11
