// The lock window's controls table: the layout and keyboard facts that the
// fold, the tab order and the access keys depend on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

#include "windows/frmWindowControls.h"

namespace {

using namespace frmWindowControls;
using ui::ControlKind;

bool Focusable(const ui::ControlDesc& c) {
    return c.kind == ControlKind::PasswordBox || c.kind == ControlKind::PushButton;
}

// The letter after '&', upper-cased; 0 when the text has none.
char AccessKey(const ui::ControlDesc& c) {
    if (!c.text) return 0;
    for (const char* p = c.text; *p; ++p)
        if (p[0] == '&' && p[1] && p[1] != '&') return static_cast<char>(std::toupper(p[1]));
    return 0;
}

// Controls with a tab index, in tab order.
std::vector<int> TabOrder(bool focusableOnly) {
    std::vector<int> order;
    for (int i = 0; i < kCount; ++i)
        if (kControls[i].tab_index >= 0 && (!focusableOnly || Focusable(kControls[i]))) order.push_back(i);
    std::sort(order.begin(), order.end(),
              [](int a, int b) { return kControls[a].tab_index < kControls[b].tab_index; });
    return order;
}

int ClientHeight(int outerHeight) { return outerHeight - 2 * kWindow.frame; }

TEST(ControlsTable, IndexesNameTheirControls) {
    EXPECT_STREQ(kControls[txtPass].name, "txtPass");
    EXPECT_STREQ(kControls[cmdLock].name, "cmdLock");
    EXPECT_STREQ(kControls[cmdExit].name, "cmdExit");
    EXPECT_STREQ(kControls[lblLocked].name, "lblLocked");
    EXPECT_STREQ(kControls[lblUmbrafold].name, "lblUmbrafold");
    EXPECT_STREQ(kControls[About].name, "About");
    EXPECT_EQ(kWindow.controls, kControls);
    EXPECT_EQ(kWindow.control_count, static_cast<std::size_t>(kCount));
}

TEST(ControlsTable, TabVisitsTheBoxThenExitThenLock) {
    EXPECT_EQ(TabOrder(true), (std::vector<int>{txtPass, cmdExit, cmdLock}));
}

TEST(ControlsTable, TabIndexesAreUnique) {
    std::set<int> seen;
    for (int i = 0; i < kCount; ++i)
        if (kControls[i].tab_index >= 0) {
            EXPECT_TRUE(seen.insert(kControls[i].tab_index).second) << kControls[i].name;
        }
}

// Alt+P works through the label: the focus goes to the control after it.
TEST(ControlsTable, ThePasswordLabelLeadsToTheBox) {
    EXPECT_EQ(AccessKey(kControls[Label3]), 'P');
    const std::vector<int> order = TabOrder(false);
    const auto label = std::find(order.begin(), order.end(), Label3);
    ASSERT_NE(label, order.end());
    ASSERT_NE(label + 1, order.end());
    EXPECT_EQ(label[1], txtPass);
}

TEST(ControlsTable, AccessKeysAreLockAndExitAndUnique) {
    EXPECT_EQ(AccessKey(kControls[cmdLock]), 'L');
    EXPECT_EQ(AccessKey(kControls[cmdExit]), 'X');
    std::set<char> keys;
    for (int i = 0; i < kCount; ++i)
        if (char key = AccessKey(kControls[i])) {
            EXPECT_TRUE(keys.insert(key).second) << kControls[i].name;
        }
}

TEST(ControlsTable, ClientAreaIsTheCompactHeightInsideTheFrame) {
    EXPECT_EQ(kWindow.client_height, ClientHeight(kCompactHeight));
}

TEST(ControlsTable, AboutIsCutOffCompactAndWhollyShownExpanded) {
    const ui::ControlDesc& about = kControls[About];
    EXPECT_GE(about.top, ClientHeight(kCompactHeight));
    EXPECT_LE(about.top + about.height, ClientHeight(kExpandedHeight));
    EXPECT_LE(about.left + about.width, kWindow.client_width);
}

TEST(ControlsTable, EverythingButAboutFitsTheCompactWindow) {
    for (int i = 0; i < kCount; ++i) {
        const ui::ControlDesc& c = kControls[i];
        if (i == About || c.parent >= 0) continue;
        EXPECT_GE(c.left, 0) << c.name;
        EXPECT_GE(c.top, 0) << c.name;
        EXPECT_LE(c.left + c.width, kWindow.client_width) << c.name;
        EXPECT_LE(c.top + c.height, kWindow.client_height) << c.name;
    }
}

TEST(ControlsTable, TheAboutPanelHoldsItsControls) {
    const ui::ControlDesc& about = kControls[About];
    EXPECT_EQ(about.kind, ControlKind::GroupBox);
    for (int i : {Image1, Label4, Label6, Label5}) {
        const ui::ControlDesc& c = kControls[i];
        EXPECT_EQ(c.parent, About) << c.name;
        EXPECT_LE(c.left + c.width, about.width) << c.name;
        EXPECT_LE(c.top + c.height, about.height) << c.name;
    }
}

TEST(ControlsTable, StartStateOfTheControlsTheRulesUse) {
    EXPECT_EQ(kControls[txtPass].kind, ControlKind::PasswordBox);
    EXPECT_EQ(kControls[txtPass].max_length, 16);
    EXPECT_TRUE(kControls[cmdLock].flags & ui::kDisabled);
    EXPECT_FALSE(kControls[cmdExit].flags & ui::kDisabled);
    EXPECT_EQ(kControls[lblLocked].back, kNoPasswordColour);
    EXPECT_EQ(kNoPasswordColour, 0x0000FFFFu);  // yellow
    EXPECT_TRUE(kControls[lblLocked].flags & ui::kOpaque);
    EXPECT_STREQ(kControls[lblLocked].text, "No Password Stored");
}

TEST(ControlsTable, OnlyTheTitleShowsTheHelpPointer) {
    for (int i = 0; i < kCount; ++i)
        EXPECT_EQ((kControls[i].flags & ui::kHelpCursor) != 0, i == lblUmbrafold) << kControls[i].name;
}

}  // namespace
