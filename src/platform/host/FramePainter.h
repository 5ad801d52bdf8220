// The self-drawn dialog's painter: the canvas painter over the frame the
// backend hands it, with the dialog's text at the window's resolution.
#pragma once

#include "platform/canvas/CanvasPainter.h"
#include "platform/fonts/DialogText.h"

namespace ui {
struct Window;
}

namespace host {

// The dialog's text, made before the painter that sets it.
struct TextOwner {
    TextOwner(double dpi, fonts::OpenGlyphs open_fallback) : dialog_text(dpi, open_fallback) {}
    fonts::DialogText dialog_text;
};

class FramePainter final : private TextOwner, public canvas::CanvasPainter {
public:
    FramePainter(ui::Window& window, double dpi, fonts::OpenGlyphs open_fallback)
        : TextOwner(dpi, open_fallback), CanvasPainter(dialog_text.typesetter(), dpi), window_(window) {}

    // Draws from now on into the backend's frame.
    void begin(const canvas::Canvas& frame) { canvas_ = frame; }
    void present(const dialog::Rect& area) override;

private:
    ui::Window& window_;
};

}  // namespace host
