// The self-drawn dialog's engine with the lock window's real controls
// table: focus and Tab, access keys, the box's editing, the mouse's press
// and release, the seam's nested handlers, and what the painter is asked
// to draw. The handlers behind it only record what reaches them.
#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon-keysyms.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/dialog/DialogFont.h"
#include "platform/dialog/Form.h"
#include "platform/dialog/Palette.h"
#include "windows/frmWindowControls.h"

// The engine's owner as a self-drawn backend would keep it.
struct ui::Window {
    dialog::Form* form;
};

namespace dialog {
Form& form_of(ui::Window* window) { return *window->form; }
}  // namespace dialog

namespace ui {
void keep_in_memory(const void*, std::size_t) {}
}  // namespace ui

namespace {

using namespace frmWindowControls;

class RecordingEvents final : public ui::FormEvents {
public:
    std::vector<int> clicks;
    std::vector<int> changes;
    std::vector<int> key_codes;
    int replace_with = -1;  // when set, every typed code becomes this one

    void on_click(int control) override { clicks.push_back(control); }
    void on_change(int control) override { changes.push_back(control); }
    void on_key_press(int, int& code) override {
        key_codes.push_back(code);
        if (replace_with >= 0) code = replace_with;
    }
};

class RecordingHost final : public dialog::Host {
public:
    int repaints = 0;
    int width = 0, height = 0;
    void repaint_soon() override { ++repaints; }
    void size_changed(int w, int h) override { width = w, height = h; }
};

// Metrics that grow with the font's size, as real ones do: at 8 points a
// character is 5 pixels wide and a line 12 high, at 15 points 9 and 23.
// Records each call.
class RecordingPainter final : public dialog::Painter {
public:
    struct Fill {
        dialog::Rect r;
        Colour colour;
    };
    struct Text {
        int x, y;
        Colour colour;
        std::string text;
    };
    std::vector<Fill> fills;
    std::vector<Text> texts;
    int presents = 0;
    int icons = 0;

    static int Scaled(const ui::Font& font, double factor) { return static_cast<int>(font.points * factor + 0.5); }
    dialog::FontMetrics metrics(const ui::Font& font) override { return {Scaled(font, 1.2), Scaled(font, 0.3)}; }
    int text_width(const ui::Font& font, std::string_view utf8) override {
        return Scaled(font, 0.6) * static_cast<int>(utf8.size());
    }
    void fill(const dialog::Rect& r, Colour colour) override { fills.push_back({r, colour}); }
    void text(int x, int y, const ui::Font&, Colour colour, std::string_view utf8) override {
        texts.push_back({x, y, colour, std::string(utf8)});
    }
    void icon(int, int) override { ++icons; }
    void present(const dialog::Rect&) override { ++presents; }

    std::vector<Text> TextsSaying(const std::string& s) const {
        std::vector<Text> found;
        for (const Text& t : texts)
            if (t.text == s) found.push_back(t);
        return found;
    }
    // One-pixel fills inside r: the dots of a focus rectangle, the caret.
    int DotsInside(const dialog::Rect& r) const {
        int n = 0;
        for (const Fill& f : fills)
            if (f.r.w == 1 && f.r.h == 1 && r.contains(f.r.x, f.r.y)) ++n;
        return n;
    }
};

class DialogEngine : public ::testing::Test {
protected:
    RecordingEvents events;
    RecordingHost host;
    std::unique_ptr<dialog::Form> form = std::make_unique<dialog::Form>(kWindow, events, host, 96.0);

    void Key(std::uint32_t keysym, char32_t code_point = 0, unsigned modifiers = 0) {
        dialog::Key key;
        key.keysym = keysym;
        key.code_point = code_point;
        key.modifiers = modifiers;
        form->key(key);
    }
    void Type(const std::u32string& text) {
        for (char32_t c : text) Key(c < 0x100 ? c : 0x01000000 | c, c);
    }
    void Alt(char letter) { Key(static_cast<std::uint32_t>(letter), static_cast<char32_t>(letter), dialog::kAlt); }
    void Tab(bool back = false) {
        Key(back ? XKB_KEY_ISO_Left_Tab : XKB_KEY_Tab, 9, back ? unsigned{dialog::kShift} : 0u);
    }
    const dialog::Control& C(int index) const { return form->controls()[index]; }
    std::string Box() const { return std::string(form->text(txtPass).view()); }
    dialog::Rect Centre(int control) const {
        const dialog::Rect& r = C(control).rect;
        return {r.x + r.w / 2, r.y + r.h / 2, 0, 0};
    }
    void Click(int control) {
        const dialog::Rect at = Centre(control);
        form->press(at.x, at.y);
        form->release(at.x, at.y);
    }
    void FocusBox() {
        form->access_key('p');
        ASSERT_EQ(form->focus(), txtPass);
    }
};

// ---- Focus -------------------------------------------------------------

TEST_F(DialogEngine, TabGoesBoxExitLockAndRoundSkippingDisabledControls) {
    FocusBox();
    Tab();
    EXPECT_EQ(form->focus(), cmdExit);
    Tab();  // Lock is disabled while the box is empty
    EXPECT_EQ(form->focus(), txtPass);
    Type(U"a");  // the engine leaves Lock to the rules; enable it as they would
    form->set_enabled(cmdLock, true);
    Tab();
    Tab();
    EXPECT_EQ(form->focus(), cmdLock);
    Tab(true);
    EXPECT_EQ(form->focus(), cmdExit);
    Tab(true);
    EXPECT_EQ(form->focus(), txtPass);
    Tab(true);
    EXPECT_EQ(form->focus(), cmdLock);
}

TEST_F(DialogEngine, ShiftTabByModifierWorksLikeLeftTab) {
    FocusBox();
    Key(XKB_KEY_Tab, 9, dialog::kShift);
    EXPECT_EQ(form->focus(), cmdExit);  // backwards from the box wraps to the last enabled
}

TEST_F(DialogEngine, DisablingTheFocusedControlPassesTheFocusOn) {
    FocusBox();
    Tab();
    ASSERT_EQ(form->focus(), cmdExit);
    form->set_enabled(cmdExit, false);
    EXPECT_EQ(form->focus(), txtPass);
    EXPECT_FALSE(form->enabled(cmdExit));
}

// ---- Access keys -------------------------------------------------------

TEST_F(DialogEngine, AltPMovesTheFocusPastItsLabelIntoTheBox) {
    EXPECT_EQ(form->focus(), -1);
    Alt('P');
    EXPECT_EQ(form->focus(), txtPass);
    EXPECT_TRUE(events.clicks.empty());
}

TEST_F(DialogEngine, AccessKeysPressButtonsOnlyWhileEnabled) {
    Alt('l');
    EXPECT_TRUE(events.clicks.empty()) << "Lock starts disabled";
    Alt('x');
    EXPECT_EQ(events.clicks, std::vector<int>{cmdExit});
    form->set_enabled(cmdLock, true);
    Alt('L');
    EXPECT_EQ(events.clicks, (std::vector<int>{cmdExit, cmdLock}));
    Alt('q');  // no control has it
    Alt('&');
    EXPECT_EQ(events.clicks.size(), 2u);
}

TEST_F(DialogEngine, TheAccessKeyAskedForBeforeShowingIsServedOnceAndLater) {
    form->queue_access_key('P');
    EXPECT_EQ(form->focus(), -1);
    form->serve_queued_access_key();
    EXPECT_EQ(form->focus(), txtPass);
    Tab();
    form->serve_queued_access_key();
    EXPECT_EQ(form->focus(), cmdExit) << "served twice";
}

// ---- The password box --------------------------------------------------

TEST_F(DialogEngine, TypingInsertsAtTheCaretAndEditingKeysMoveIt) {
    FocusBox();
    Type(U"ace");
    Key(XKB_KEY_Left);
    Key(XKB_KEY_Left);
    Type(U"b");
    EXPECT_EQ(Box(), "abce");
    Key(XKB_KEY_End);
    Key(XKB_KEY_BackSpace, 8);
    EXPECT_EQ(Box(), "abc");
    Key(XKB_KEY_Home);
    Key(XKB_KEY_Delete, 0x7F);
    EXPECT_EQ(Box(), "bc");
    Key(XKB_KEY_KP_Right);
    Key(XKB_KEY_KP_Delete);
    EXPECT_EQ(Box(), "b");
    Key(XKB_KEY_Home);
    Key(XKB_KEY_BackSpace, 8);  // nothing before the caret
    Key(XKB_KEY_End);
    Key(XKB_KEY_Delete, 0x7F);  // nothing after it
    EXPECT_EQ(Box(), "b");
    EXPECT_EQ(events.changes.size(), 7u) << "one change per insertion or erasure that happened";
}

TEST_F(DialogEngine, SixteenCharactersFitWhateverTheirLengthInBytes) {
    FocusBox();
    Type(U"\u00e9\u20ac\U0001F600abcdefghijklm");  // 16 characters, 25 bytes
    Type(U"z");
    EXPECT_EQ(C(txtPass).box.length(), 16);
    EXPECT_EQ(Box(), "\u00e9\u20ac\U0001F600abcdefghijklm");
    EXPECT_EQ(events.changes.size(), 16u) << "the 17th character changes nothing";
    form->set_text(txtPass, SecretText("0123456789abcdefXYZ"));
    EXPECT_EQ(Box(), "0123456789abcdef") << "set_text is cut at the limit too";
}

TEST_F(DialogEngine, TheKeyPressHandlerSeesEveryCharacterFirstAndMayChangeOrDropIt) {
    FocusBox();
    Type(U"a");
    Key(XKB_KEY_Return, 13);
    Key(XKB_KEY_KP_Enter, 13);
    Key(XKB_KEY_BackSpace, 8);
    EXPECT_EQ(events.key_codes, (std::vector<int>{'a', 13, 13, 8}));
    EXPECT_EQ(Box(), "");
    events.replace_with = 0;
    Type(U"b");
    EXPECT_EQ(Box(), "") << "a dropped character does not reach the box";
    events.replace_with = 'Z';
    Type(U"b");
    EXPECT_EQ(Box(), "Z");
}

TEST_F(DialogEngine, ControlKeysEscapeAndKeysWithoutFocusDoNothing) {
    Type(U"a");  // nothing has the focus yet
    FocusBox();
    Key('v', 'v', dialog::kControl);
    Key(XKB_KEY_Escape, 27);
    Key(XKB_KEY_F1);
    EXPECT_EQ(Box(), "");
    EXPECT_TRUE(events.key_codes.empty());
    EXPECT_TRUE(events.clicks.empty());
}

TEST_F(DialogEngine, SpaceAndEnterPressTheFocusedButton) {
    FocusBox();
    Tab();
    Key(XKB_KEY_space, ' ');
    Key(XKB_KEY_Return, 13);
    Key('a', 'a');  // a letter on a button does nothing
    EXPECT_EQ(events.clicks, (std::vector<int>{cmdExit, cmdExit}));
}

TEST_F(DialogEngine, SetTextRunsTheChangeHandlerBeforeReturningAndOnlyOnChange) {
    form->set_text(txtPass, SecretText("abc"));
    EXPECT_EQ(events.changes, std::vector<int>{txtPass});
    form->set_text(txtPass, SecretText("abc"));
    EXPECT_EQ(events.changes.size(), 1u);
    form->set_text(txtPass, SecretText(""));
    EXPECT_EQ(events.changes.size(), 2u);
    EXPECT_EQ(Box(), "");
}

// ---- The mouse ---------------------------------------------------------

TEST_F(DialogEngine, AButtonIsPressedOnReleaseOverTheButtonItWentDownOn) {
    Click(cmdExit);
    EXPECT_EQ(events.clicks, std::vector<int>{cmdExit});
    EXPECT_EQ(form->focus(), cmdExit);

    const dialog::Rect exit = Centre(cmdExit), box = Centre(txtPass);
    form->press(exit.x, exit.y);
    EXPECT_TRUE(C(cmdExit).pushed);
    form->release(box.x, box.y);  // slid off
    EXPECT_FALSE(C(cmdExit).pushed);
    form->press(box.x, box.y);
    form->release(exit.x, exit.y);  // slid on
    EXPECT_EQ(events.clicks.size(), 1u);
}

TEST_F(DialogEngine, ADisabledButtonTakesNeitherClickNorFocus) {
    FocusBox();
    Click(cmdLock);
    EXPECT_TRUE(events.clicks.empty());
    EXPECT_EQ(form->focus(), txtPass);
    EXPECT_FALSE(C(cmdLock).pushed);
}

TEST_F(DialogEngine, AClickInTheBoxFocusesIt) {
    Click(txtPass);
    EXPECT_EQ(form->focus(), txtPass);
    EXPECT_TRUE(events.clicks.empty());
}

TEST_F(DialogEngine, TheTitleTakesTheClickWhereItsBoxOverlapsTheBylineAndOtherLabelsTakeNone) {
    RecordingPainter painter;
    form->paint(painter);  // fits the labels to their text
    const dialog::Rect title = C(lblUmbrafold).rect, byline = C(Label1).rect;
    const int x = byline.x + 1, y = byline.y + 1;
    ASSERT_TRUE(title.contains(x, y) && byline.contains(x, y)) << "the two boxes no longer overlap";
    form->press(x, y);
    form->release(x, y);
    EXPECT_EQ(events.clicks, std::vector<int>{lblUmbrafold});
    Click(Label3);
    Click(lblLocked);
    EXPECT_EQ(events.clicks.size(), 1u);
}

TEST_F(DialogEngine, ClicksOnControlsFoldedAwayBelowTheClientAreaAreIgnored) {
    ASSERT_LT(form->client_bottom(), C(About).rect.y);
    Click(Label5);
    EXPECT_TRUE(events.clicks.empty());
    form->set_outer_height(kExpandedHeight);
    EXPECT_EQ(host.height, 183);
    EXPECT_EQ(host.width, 202);
    EXPECT_GT(form->client_bottom(), C(Label5).rect.y);
}

// At twice the dpi, as on an output of scale 2, everything is twice the
// size; the text, the focus, the colours and the fold stay as they were.
TEST_F(DialogEngine, AnotherDpiSizesEverythingAgainAndKeepsTheState) {
    FocusBox();
    Type(U"ab");
    form->set_back_colour(lblLocked, 0x008080FF);
    form->set_outer_height(kExpandedHeight);
    const dialog::Rect box = C(txtPass).rect;
    const int width = form->width(), height = form->height();
    form->set_dpi(192.0);
    EXPECT_EQ(form->width(), 2 * width);
    EXPECT_EQ(form->height(), 2 * height);
    EXPECT_EQ(C(txtPass).rect.x, 2 * box.x);
    EXPECT_EQ(C(txtPass).rect.w, 2 * box.w);
    EXPECT_TRUE(form->dirty());
    EXPECT_EQ(Box(), "ab");
    EXPECT_EQ(form->focus(), txtPass);
    EXPECT_EQ(C(lblLocked).back, 0x008080FFu);
    EXPECT_GT(form->client_bottom(), C(Label5).rect.y);
    RecordingPainter painter;
    form->paint(painter);
    EXPECT_EQ(form->help_area().w, painter.text_width(dialog::resolve_font(C(lblUmbrafold).desc->font), "Umbrafold"));
    Type(U"c");
    EXPECT_EQ(Box(), "abc");
}

// ---- Painting ----------------------------------------------------------

TEST_F(DialogEngine, PaintsTheStatusInItsColourAndTheBoxAsOneStarPerCharacter) {
    form->set_text(txtPass, SecretText("p\u00e4ss"));
    form->set_back_colour(lblLocked, 0x008080FF);
    form->set_caption(lblLocked, "Enter Password to Unlock");
    RecordingPainter painter;
    form->paint(painter);
    bool status_filled = false;
    for (const auto& f : painter.fills)
        status_filled |= f.colour == 0x008080FF && f.r.x == C(lblLocked).rect.x && f.r.w == C(lblLocked).rect.w;
    EXPECT_TRUE(status_filled);
    EXPECT_EQ(painter.TextsSaying("Enter Password to Unlock").size(), 1u);
    EXPECT_EQ(painter.TextsSaying("****").size(), 1u) << "four characters, six bytes";
    EXPECT_TRUE(painter.TextsSaying("p\u00e4ss").empty());
    EXPECT_EQ(painter.presents, 1);
    EXPECT_FALSE(form->dirty());
}

TEST_F(DialogEngine, ADisabledButtonIsEngravedAndAnEnabledOneIsNot) {
    RecordingPainter painter;
    form->paint(painter);
    const auto lock = painter.TextsSaying("Lock");
    ASSERT_EQ(lock.size(), 2u);
    EXPECT_EQ(lock[0].colour, dialog::kHighlight);
    EXPECT_EQ(lock[1].colour, dialog::kShadow);
    EXPECT_EQ(lock[0].x, lock[1].x + 1);
    const auto exit = painter.TextsSaying("Exit");
    ASSERT_EQ(exit.size(), 1u);
    EXPECT_EQ(exit[0].colour, dialog::kWindowText);
}

TEST_F(DialogEngine, OnlyTheFocusedControlShowsTheCaretOrTheFocusRectangle) {
    FocusBox();
    RecordingPainter in_box;
    form->paint(in_box);
    EXPECT_EQ(in_box.DotsInside(C(cmdExit).rect), 0);
    Tab();
    RecordingPainter on_exit;
    form->paint(on_exit);
    EXPECT_GT(on_exit.DotsInside(C(cmdExit).rect), 10) << "a dotted focus rectangle";
    EXPECT_EQ(on_exit.DotsInside(C(cmdLock).rect), 0);
}

TEST_F(DialogEngine, ChangesAskForOneRepaintUntilPainted) {
    RecordingPainter painter;
    form->paint(painter);
    const int before = host.repaints;
    FocusBox();
    Type(U"ab");
    EXPECT_TRUE(form->dirty());
    EXPECT_EQ(host.repaints, before + 1);
    form->paint(painter);
    Type(U"c");
    EXPECT_EQ(host.repaints, before + 2);
}

TEST_F(DialogEngine, TheHelpAreaIsTheTitleFittedToItsText) {
    EXPECT_EQ(form->help_area().w, 0) << "not known before the fonts are";
    RecordingPainter painter;
    form->paint(painter);
    EXPECT_EQ(form->help_area().w, 9 * 9);  // "Umbrafold" at 15 points
    EXPECT_EQ(form->help_area().h, 23);
}

}  // namespace
