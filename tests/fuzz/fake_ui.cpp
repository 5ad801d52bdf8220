// The fake window system: windows that are never shown, over the real
// dialog engine.
#include "fake_ui.h"

#include <memory>

namespace {

class NullHost final : public dialog::Host {
public:
    void repaint_soon() override {}
    void size_changed(int, int) override {}
};

// Fixed metrics: each character 6 pixels wide, lines 13 high.
class NullPainter final : public dialog::Painter {
public:
    dialog::FontMetrics metrics(const ui::Font&) override { return {10, 3}; }
    int text_width(const ui::Font&, std::string_view utf8) override { return 6 * static_cast<int>(utf8.size()); }
    void fill(const dialog::Rect&, Colour) override {}
    void text(int, int, const ui::Font&, Colour, std::string_view) override {}
    void icon(int, int) override {}
    void present(const dialog::Rect&) override {}
};

NullHost g_host;
NullPainter g_painter;
bool g_key_block = false;

}  // namespace

struct ui::Window {
    const WindowDesc* desc;
    FormEvents* events;
    std::unique_ptr<dialog::Form> form;
};

namespace {
ui::Window* g_dialog = nullptr;
}  // namespace

namespace dialog {
Form& form_of(ui::Window* window) { return *window->form; }
}  // namespace dialog

namespace fake {

dialog::Form* Dialog() { return g_dialog ? g_dialog->form.get() : nullptr; }
bool KeyBlockOn() { return g_key_block; }

void Reset() {
    g_dialog->form = std::make_unique<dialog::Form>(*g_dialog->desc, *g_dialog->events, g_host, 96.0);
    g_key_block = false;
}

void Paint() { g_dialog->form->paint(g_painter); }

}  // namespace fake

namespace ui {

Window* create_window(const WindowDesc& desc, FormEvents& events) {
    Window* w = new Window{&desc, &events, nullptr};
    if (desc.kind == WindowKind::Dialog) {
        g_dialog = w;
        fake::Reset();
    }
    return w;
}

void show(Window*) {}
void serve_events(Window*) { throw fake::ProgramEnded{-1}; }  // the driver serves the events itself
void make_topmost(Window*) {}
void set_system_key_block(bool on) { g_key_block = on; }
void keep_in_memory(const void*, std::size_t) {}
void end_program(int status) { throw fake::ProgramEnded{status}; }

}  // namespace ui
