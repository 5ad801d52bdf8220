// The self-drawn dialog, knowing no window system: its controls' state,
// the focus, the keyboard and mouse rules of a classic dialog, and when it
// needs painting. A backend feeds it input in window pixels and paints it
// through a Painter; the windows above reach it through the seam.
#pragma once

#include <string>
#include <vector>

#include "lock/SecretText.h"
#include "platform/dialog/BoxText.h"
#include "platform/dialog/Host.h"
#include "platform/dialog/Key.h"
#include "platform/dialog/Layout.h"
#include "platform/dialog/Painter.h"
#include "platform/ui.h"

namespace dialog {

struct Control {
    const ui::ControlDesc* desc = nullptr;
    Rect rect;  // pixels, in the window's coordinates
    std::string caption;
    int access_key_at = -1;  // byte offset of the access key in caption
    Colour back = 0;
    bool enabled = true;
    bool pushed = false;  // a button held down by the mouse
    BoxText box;
};

class Form {
public:
    // Pixel sizes come from the description's twips at dpi.
    Form(const ui::WindowDesc& desc, ui::FormEvents& events, Host& host, double dpi);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Controls from here down are folded away below the client area.
    int client_bottom() const { return height_ - frame_; }
    int focus() const { return focus_; }
    const std::vector<Control>& controls() const { return controls_; }
    bool dirty() const { return dirty_; }

    // ---- Input, in window pixels; only the primary button counts.
    void key(const Key& key);
    void press(int x, int y);
    void release(int x, int y);
    // Alt+key: focuses the control after a label, or presses a button.
    void access_key(char key);
    // An access key asked for before the window is up; served once it is.
    void queue_access_key(char key) { queued_access_key_ = key; }
    void serve_queued_access_key();

    // Where the help pointer shows; empty before the first paint has
    // fitted the labels to their text.
    Rect help_area() const;

    // Draws the whole dialog and presents it. The first paint also fits
    // autosized labels to their text, which needs the painter's fonts.
    void paint(Painter& painter);

    // ---- What the windows above read and change, through the seam.
    SecretText text(int control) const { return controls_[control].box.utf8(); }
    void set_text(int control, const SecretText& text);
    bool enabled(int control) const { return controls_[control].enabled; }
    void set_enabled(int control, bool on);
    void set_caption(int control, const char* caption);
    void set_back_colour(int control, Colour colour);
    void set_outer_height(int twips);

    // Sizes and places everything again for another dpi, as for an output
    // of another scale; every state stays as it is.
    void set_dpi(double dpi);

    // Asks for a paint, as when the window was uncovered.
    void invalidate();
    // Forgets every typed character.
    void wipe();

private:
    void set_focus(int control);
    void move_focus(int from, int step);
    void press_button(int control);
    void type_into_box(int control, int code);
    void edit_box(int control, std::uint32_t keysym);
    void key_to_box(int control, const Key& key);
    void fit_labels(Painter& painter);
    int control_at(int x, int y) const;

    const ui::WindowDesc& desc_;
    ui::FormEvents& events_;
    Host& host_;
    double dpi_;
    int frame_;
    int width_;
    int height_;
    int outer_height_twips_ = 0;  // as last set; 0 while the designed one
    std::vector<Control> controls_;
    int focus_ = -1;
    int pushed_ = -1;  // the control the mouse went down on
    char queued_access_key_ = 0;
    bool fitted_ = false;
    bool dirty_ = true;
};

// Where each self-drawn backend keeps a window's engine; the seam's control
// functions find it here.
Form& form_of(ui::Window* window);

}  // namespace dialog
