// The password rules that turn the lock window into a lock.
#pragma once

#include "lock/CharacterCodes.h"
#include "lock/LockView.h"
#include "lock/SecretText.h"

inline constexpr Colour kMismatchColour = 0x008080FF;  // light red
inline constexpr Colour kMatchColour = 0x0080FF80;     // light green
inline constexpr const char* kMismatchCaption = "Enter Password to Unlock";
inline constexpr const char* kMatchCaption = "Access Granted";

class LockController {
public:
    explicit LockController(LockView& view) : view_(view) {}

    void txtPass_Change();
    void cmdLock_Click();
    // code is the typed character; set to 0 it tells the box to drop the key.
    void txtPass_KeyPress(int& code);
    void ShowLockStatus(bool mismatch);

    // True once a password is stored; never goes back.
    bool blnLocked = false;
    // Lower-cased; written once by cmdLock_Click.
    SecretText strPassword;

    // Whether the text now in the box opens the lock.
    bool TextMatches() const;

private:
    LockView& view_;
};
