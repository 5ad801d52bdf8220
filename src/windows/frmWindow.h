// The lock window: the password box, Lock and Exit, the status label and
// the About panel folded under the title.
#pragma once

#include "lock/LockController.h"
#include "lock/LockView.h"
#include "platform/ui.h"

class frmWindow final : public LockView, public ui::FormEvents {
public:
    // The program's one lock window, created on first use.
    static frmWindow& Instance();

    [[noreturn]] void Show();  // modal

    // The rules behind the controls; exposed for the start-up module.
    LockController& Controller() { return controller_; }

private:
    frmWindow();

    void Form_Load();
    // Gives the keys back, forgets the password and ends with status.
    [[noreturn]] void Form_Unload(int status = 0);
    void cmdExit_Click();
    void lblUmbrafold_Click();

    // ui::FormEvents
    void on_click(int control) override;
    void on_change(int control) override;
    void on_key_press(int control, int& code) override;
    void on_close_request() override;
    void on_end_request(ui::EndRequest request, int status) override;

    // LockView
    SecretText txtPass_Text() const override;
    void txtPass_SetText(const SecretText& text) override;
    bool cmdLock_Enabled() const override;
    void cmdLock_SetEnabled(bool enabled) override;
    bool cmdExit_Enabled() const override;
    void cmdExit_SetEnabled(bool enabled) override;
    void cmdLock_Press() override { controller_.cmdLock_Click(); }
    void cmdExit_Press() override { cmdExit_Click(); }
    void lblLocked_SetBackColor(Colour colour) override;
    void lblLocked_SetCaption(const char* caption) override;
    SecretText LowerCase(const SecretText& text) const override { return ui::lower_case(text); }

    ui::Window* window_;
    LockController controller_{*this};
    bool blnExpanded = false;
};
