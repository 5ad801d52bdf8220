// The password rules: store, compare, enable the buttons, paint the status.
#include "lock/LockController.h"

bool LockController::TextMatches() const {
    return view_.LowerCase(view_.txtPass_Text()) == strPassword;
}

void LockController::txtPass_Change() {
    const SecretText s = view_.LowerCase(view_.txtPass_Text());
    bool mismatch = false;
    if (s != strPassword && blnLocked) {
        view_.cmdExit_SetEnabled(false);
        mismatch = true;
    } else {
        view_.cmdExit_SetEnabled(true);
    }
    ShowLockStatus(mismatch);
    view_.cmdLock_SetEnabled(!s.empty() && !blnLocked);
}

void LockController::cmdLock_Click() {
    strPassword = view_.LowerCase(view_.txtPass_Text());
    view_.txtPass_SetText(SecretText());
    view_.cmdLock_SetEnabled(false);
    view_.cmdExit_SetEnabled(false);
    blnLocked = true;
    ShowLockStatus(true);
}

void LockController::txtPass_KeyPress(int& code) {
    if (code != kCarriageReturn) return;
    code = 0;
    if (view_.cmdLock_Enabled()) {
        view_.cmdLock_Press();
    } else if (view_.cmdExit_Enabled()) {
        view_.cmdExit_Press();
    } else {
        view_.txtPass_SetText(SecretText());
    }
}

void LockController::ShowLockStatus(bool mismatch) {
    if (!blnLocked) return;
    if (mismatch) {
        view_.lblLocked_SetBackColor(kMismatchColour);
        view_.lblLocked_SetCaption(kMismatchCaption);
    } else {
        view_.lblLocked_SetBackColor(kMatchColour);
        view_.lblLocked_SetCaption(kMatchCaption);
    }
}
