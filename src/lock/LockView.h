// What the lock rules need from the lock window, and nothing more.
#pragma once

#include <cstdint>

#include "lock/SecretText.h"

// Colours are 0x00BBGGRR, red in the lowest byte.
using Colour = std::uint32_t;

class LockView {
public:
    virtual ~LockView() = default;

    virtual SecretText txtPass_Text() const = 0;
    // Runs txtPass_Change before returning whenever the text changes.
    virtual void txtPass_SetText(const SecretText& text) = 0;

    virtual bool cmdLock_Enabled() const = 0;
    virtual void cmdLock_SetEnabled(bool enabled) = 0;
    virtual bool cmdExit_Enabled() const = 0;
    virtual void cmdExit_SetEnabled(bool enabled) = 0;

    // Run the button's click action before returning, as a mouse click would.
    virtual void cmdLock_Press() = 0;
    virtual void cmdExit_Press() = 0;

    virtual void lblLocked_SetBackColor(Colour colour) = 0;
    virtual void lblLocked_SetCaption(const char* caption) = 0;

    // The platform's own lower-case conversion of the whole text.
    virtual SecretText LowerCase(const SecretText& text) const = 0;
};
