// The cover: black, borderless, topmost; it handles nothing else.
#include "windows/frmBigBlackBox.h"

#include "windows/modMain.h"

namespace {

// The design size only matters to a cover that is not spread over the
// screens, which never happens.
const ui::WindowDesc kCover = {
    "Form1", ui::WindowKind::Cover, 5775, 4110, 0, 0x00000000, nullptr, 0,
};

}  // namespace

frmBigBlackBox& frmBigBlackBox::Instance() {
    static frmBigBlackBox instance;
    return instance;
}

frmBigBlackBox::frmBigBlackBox() : window_(ui::create_window(kCover, *this)) {}

void frmBigBlackBox::Show() { ui::show_modeless(window_); }

void frmBigBlackBox::Form_Load() { modMain::MakeTopmost(window_); }
