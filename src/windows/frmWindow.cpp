// The lock window's handlers and the controls the lock rules work on.
#include "windows/frmWindow.h"

#include "windows/frmWindowControls.h"
#include "windows/modMain.h"

using namespace frmWindowControls;

frmWindow& frmWindow::Instance() {
    static frmWindow instance;
    return instance;
}

frmWindow::frmWindow() : window_(ui::create_window(kWindow, *this)) {
    // The stored password lives in this object.
    ui::keep_in_memory(this, sizeof *this);
}

void frmWindow::Show() {
    Form_Load();
    ui::show(window_);
    ui::serve_events(window_);
}

void frmWindow::Form_Load() {
    ui::set_system_key_block(true);
    modMain::MakeTopmost(window_);
    ui::send_access_key(window_, 'P');
}

void frmWindow::Form_Unload(int status) {
    ui::set_system_key_block(false);
    controller_.strPassword.wipe();
    ui::end_program(status);
}

void frmWindow::cmdExit_Click() { Form_Unload(); }

void frmWindow::lblUmbrafold_Click() {
    blnExpanded = !blnExpanded;
    ui::set_outer_height(window_, blnExpanded ? kExpandedHeight : kCompactHeight);
}

void frmWindow::on_click(int control) {
    switch (control) {
    case cmdLock: controller_.cmdLock_Click(); break;
    case cmdExit: cmdExit_Click(); break;
    case lblUmbrafold: lblUmbrafold_Click(); break;
    default: break;
    }
}

void frmWindow::on_change(int control) {
    if (control == txtPass) controller_.txtPass_Change();
}

void frmWindow::on_key_press(int control, int& code) {
    if (control == txtPass) controller_.txtPass_KeyPress(code);
}

// A close request may end the program only where Exit could: before a
// password is stored, or while the box holds it. Anything else would let
// whoever can send a window message leave a locked station.
void frmWindow::on_close_request() {
    if (!controller_.blnLocked || controller_.TextMatches()) Form_Unload();
}

SecretText frmWindow::txtPass_Text() const { return ui::text(window_, txtPass); }
void frmWindow::txtPass_SetText(const SecretText& text) { ui::set_text(window_, txtPass, text); }
bool frmWindow::cmdLock_Enabled() const { return ui::enabled(window_, cmdLock); }
void frmWindow::cmdLock_SetEnabled(bool enabled) { ui::set_enabled(window_, cmdLock, enabled); }
bool frmWindow::cmdExit_Enabled() const { return ui::enabled(window_, cmdExit); }
void frmWindow::cmdExit_SetEnabled(bool enabled) { ui::set_enabled(window_, cmdExit, enabled); }
void frmWindow::lblLocked_SetBackColor(Colour colour) { ui::set_back_colour(window_, lblLocked, colour); }
void frmWindow::lblLocked_SetCaption(const char* caption) { ui::set_caption(window_, lblLocked, caption); }

// Before a password is stored there is nothing to protect, and any request
// to end is honoured as Exit would be. Once locked, an interrupt or hang-up
// (a closed terminal, a stray Ctrl+C) is refused; a plain request to end
// ends the program without giving the keys back, so where the system can
// hold the lock after the program is gone, it does. The end of the session
// is never refused.
void frmWindow::on_end_request(ui::EndRequest request, int status) {
    if (!controller_.blnLocked || request == ui::EndRequest::SessionEnd) Form_Unload(status);
    if (request == ui::EndRequest::Terminate) {
        controller_.strPassword.wipe();
        ui::end_program(status);
    }
}
