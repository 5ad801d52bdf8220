// A lock window reduced to the state the rules work on, with the same
// synchronous nesting as the real one: setting the text runs the change
// handler inside the call, pressing a button runs its click inside the call.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

#include "lock/LockController.h"
#include "lock/LockView.h"
#include "lock/SecretText.h"

class FakeLockView final : public LockView {
public:
    static constexpr Colour kYellow = 0x0000FFFF;
    static constexpr std::size_t kMaxChars = 16;

    LockController controller{*this};

    // What the window shows.
    std::string text;
    bool lockEnabled = false;
    bool exitEnabled = true;
    Colour labelColour = kYellow;
    std::string labelCaption = "No Password Stored";

    // What happened to it.
    int changeRuns = 0;
    int changeRunsWhileUnlocked = 0;
    int labelWrites = 0;
    int labelWritesInsideChange = 0;
    int exitPresses = 0;
    int lockPresses = 0;
    bool lockEverEnabledWhileLocked = false;
    bool lockPressedInsideKeyPress = false;
    bool textSetInsideKeyPress = false;

    // The user typing one character into the box: the key press handler
    // sees it first and may replace or drop it; a full box refuses it.
    void Type(char c) {
        int code = static_cast<unsigned char>(c);
        KeyPress(code);
        if (code == 0 || text.size() >= kMaxChars) return;
        text.push_back(static_cast<char>(code));
        RunChange();
    }

    void Type(std::string_view chars) {
        for (char c : chars) Type(c);
    }

    // Backspace reaches the handler as 8, then deletes the last character.
    void Backspace() {
        int code = 8;
        KeyPress(code);
        if (code == 0 || text.empty()) return;
        text.pop_back();
        RunChange();
    }

    // Returns the code the handler left for the box.
    int PressEnter() {
        int code = kCarriageReturn;
        KeyPress(code);
        return code;
    }

    // LockView
    SecretText txtPass_Text() const override { return SecretText(text); }

    void txtPass_SetText(const SecretText& value) override {
        if (insideKeyPress_) textSetInsideKeyPress = true;
        if (value.view() == text) return;
        text = std::string(value.view());
        RunChange();
    }

    bool cmdLock_Enabled() const override { return lockEnabled; }
    void cmdLock_SetEnabled(bool enabled) override {
        if (enabled && controller.blnLocked) lockEverEnabledWhileLocked = true;
        lockEnabled = enabled;
    }
    bool cmdExit_Enabled() const override { return exitEnabled; }
    void cmdExit_SetEnabled(bool enabled) override { exitEnabled = enabled; }

    void cmdLock_Press() override {
        ++lockPresses;
        if (insideKeyPress_) lockPressedInsideKeyPress = true;
        controller.cmdLock_Click();
    }
    // The real window ends the program here; the fake only counts.
    void cmdExit_Press() override { ++exitPresses; }

    void lblLocked_SetBackColor(Colour colour) override {
        NoteLabelWrite();
        labelColour = colour;
    }
    void lblLocked_SetCaption(const char* caption) override {
        NoteLabelWrite();
        labelCaption = caption;
    }

    SecretText LowerCase(const SecretText& value) const override {
        std::string lower(value.view());
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return SecretText(lower);
    }

private:
    void RunChange() {
        ++changeRuns;
        if (!controller.blnLocked) ++changeRunsWhileUnlocked;
        ++changeDepth_;
        controller.txtPass_Change();
        --changeDepth_;
    }

    void KeyPress(int& code) {
        insideKeyPress_ = true;
        controller.txtPass_KeyPress(code);
        insideKeyPress_ = false;
    }

    void NoteLabelWrite() {
        ++labelWrites;
        if (changeDepth_ > 0) ++labelWritesInsideChange;
    }

    int changeDepth_ = 0;
    bool insideKeyPress_ = false;
};
