// The cover: black, borderless, topmost; it handles nothing else.
#include "windows/frmBigBlackBox.h"

#include "windows/modMain.h"

namespace {

// The cover takes the size of every screen together, so it has no size of
// its own.
const ui::WindowDesc kCover = {
    "Form1", ui::WindowKind::Cover, 0, 0, 0, 0x00000000, nullptr, 0,
};

}  // namespace

frmBigBlackBox& frmBigBlackBox::Instance() {
    static frmBigBlackBox instance;
    return instance;
}

frmBigBlackBox::frmBigBlackBox() : window_(ui::create_window(kCover, *this)) {}

void frmBigBlackBox::Show() {
    Form_Load();
    ui::show(window_);
}

void frmBigBlackBox::Form_Load() { modMain::MakeTopmost(window_); }
