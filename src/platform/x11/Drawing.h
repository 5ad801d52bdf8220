// The drawing layer: fonts, colours, the classic 3D frames and text, all
// drawn into a back buffer that reaches the screen in one copy.
#pragma once

#include <string_view>

#include <X11/Xlib.h>
#include <X11/Xft/Xft.h>

#include "platform/ui.h"
#include "platform/x11/Display.h"

namespace x11 {

// The classic dialog palette.
inline constexpr Colour kFace = 0x00C0C0C0;
inline constexpr Colour kHighlight = 0x00FFFFFF;
inline constexpr Colour kLight = 0x00DFDFDF;
inline constexpr Colour kShadow = 0x00808080;
inline constexpr Colour kDarkShadow = 0x00000000;
inline constexpr Colour kWindowText = 0x00000000;
inline constexpr Colour kWindowBack = 0x00FFFFFF;

// Resolves system colours (the top bit set) to the palette above.
Colour ResolveColour(Colour colour, Colour fallback);

enum class Frame { Raised, Pushed, Sunken, Etched, Dialog, Flat };

class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    // Makes sure the back buffer covers width x height of the window.
    void Fit(::Window target, int width, int height);

    void Fill(const Rect& r, Colour colour);
    void DrawFrame(const Rect& r, Frame frame);
    void DottedRect(const Rect& r);
    // Text with its top-left corner at x, y. With an underline index, the
    // character at that byte offset is underlined, as an access key is.
    void Text(int x, int y, XftFont* font, Colour colour, std::string_view utf8, int underline = -1);
    void CopyArea(Pixmap source, Pixmap mask, int width, int height, int x, int y);
    // Puts the buffer on the window.
    void Present(const Rect& r);

private:
    XftColor* Resolve(Colour colour);
    GC gc_ = nullptr;
    ::Window target_ = 0;
    Pixmap buffer_ = 0;
    XftDraw* draw_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Fonts are opened on first use and kept for the life of the program.
XftFont* OpenFont(const ui::Font& font);
int TextWidth(XftFont* font, std::string_view utf8);

}  // namespace x11
