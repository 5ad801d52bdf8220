// Start-up: the cover first, then the lock window in front of it.
#include "windows/modMain.h"

#include "windows/frmBigBlackBox.h"
#include "windows/frmWindow.h"

namespace modMain {

void Main() {
    frmBigBlackBox::Instance().Show();
    frmWindow::Instance().Show();
    // The lock window's unload ends the process; the modal show never returns.
}

void MakeTopmost(ui::Window* window) { ui::make_topmost(window); }

}  // namespace modMain
