// The lock window's controls as data.
#include "windows/frmWindowControls.h"

namespace frmWindowControls {
namespace {

using ui::ControlKind;
constexpr ui::Font kDialogFont{};
constexpr ui::Font kTitleFont{"Arial", 15, true};
constexpr ui::Font kBylineFont{"Arial", 8.25, false};
constexpr Colour kNavy = 0x00800000;
constexpr Colour kDarkRed = 0x00000080;
constexpr Colour kWindowText = ui::system_colour(ui::kWindowTextColour);
constexpr Colour kDefault = ui::kDefaultColour;

}  // namespace

// clang-format off
const ui::ControlDesc kControls[kCount] = {
    // name           kind                     text                    left  top   width height tab parent font         fore         back               flags
    {"lblUmbrafold", ControlKind::Label,       "Umbrafold",            720,  15,   1545, 360,  5,  -1,    kTitleFont,  kNavy,       kDefault,          ui::kCentred | ui::kAutoSize | ui::kHelpCursor},
    {"Label1",       ControlKind::Label,       "By Kestrune",          1245, 255,  1020, 210,  4,  -1,    kBylineFont, kDarkRed,    kDefault,          ui::kAutoSize},
    {"Label3",       ControlKind::Label,       "&Password:",           120,  360,  735,  195,  0,  -1,    kDialogFont, kDefault,    kDefault,          ui::kAutoSize},
    {"txtPass",      ControlKind::PasswordBox, "",                     120,  600,  1155, 285,  1,  -1,    kDialogFont, kDefault,    kDefault,          0, kMaxPasswordChars},
    {"cmdLock",      ControlKind::PushButton,  "&Lock",                1440, 600,  675,  315,  3,  -1,    kDialogFont, kDefault,    kDefault,          ui::kDisabled},
    {"cmdExit",      ControlKind::PushButton,  "E&xit",                2160, 600,  675,  315,  2,  -1,    kDialogFont, kDefault,    kDefault,          0},
    {"lblLocked",    ControlKind::Label,       "No Password Stored",   120,  1020, 2715, 255,  6,  -1,    kDialogFont, kWindowText, kNoPasswordColour, ui::kCentred | ui::kOpaque | ui::kBorder},
    {"About",        ControlKind::GroupBox,    "About",                120,  1440, 2715, 1095, 7,  -1,    kDialogFont, kDefault,    kDefault,          0},
    {"Image1",       ControlKind::Image,       nullptr,                165,  345,  480,  480,  -1, About, kDialogFont, kDefault,    kDefault,          0},
    {"Label4",       ControlKind::Label,       "Umbrafold v2.0",       840,  240,  1140, 195,  8,  About, kDialogFont, kDefault,    kDefault,          ui::kAutoSize},
    {"Label6",       ControlKind::Label,       "By Kestrune",          840,  480,  1020, 195,  10, About, kDialogFont, kDefault,    kDefault,          ui::kAutoSize},
    {"Label5",       ControlKind::Label,       "For Windows 95/98/Me", 840,  720,  1710, 195,  9,  About, kDialogFont, kDefault,    kDefault,          ui::kAutoSize},
};
// clang-format on

const ui::WindowDesc kWindow = {
    "", ui::WindowKind::Dialog, 2940, 1365, 45, kDefault, kControls, kCount,
};

}  // namespace frmWindowControls
