// Twips to pixels: the dialog's sizes at the usual and at higher dpi.
#include <gtest/gtest.h>

#include "platform/x11/Units.h"

namespace {

using x11::TwipsToPixels;

TEST(Twips, FifteenToThePixelAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(45, 96), 3);      // the dialog frame
    EXPECT_EQ(TwipsToPixels(2940, 96), 196);  // client width
    EXPECT_EQ(TwipsToPixels(1365, 96), 91);   // client height
    EXPECT_EQ(TwipsToPixels(1455, 96), 97);   // outer height, compact
    EXPECT_EQ(TwipsToPixels(2745, 96), 183);  // outer height, expanded
    EXPECT_EQ(TwipsToPixels(2940 + 2 * 45, 96), 202);
}

TEST(Twips, ZeroStaysZero) { EXPECT_EQ(TwipsToPixels(0, 144), 0); }

TEST(Twips, ScalesWithTheDpi) {
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(TwipsToPixels(2940, 144), 294);
    EXPECT_EQ(TwipsToPixels(45, 192), 6);
}

TEST(Twips, RoundsToTheNearestPixel) {
    EXPECT_EQ(TwipsToPixels(2745, 120), 229);  // 228.75
    EXPECT_EQ(TwipsToPixels(1455, 120), 121);  // 121.25
    EXPECT_EQ(TwipsToPixels(7, 96), 0);        // 0.47
    EXPECT_EQ(TwipsToPixels(8, 96), 1);        // 0.53
    EXPECT_EQ(TwipsToPixels(255, 110), 19);    // 19.48
}

}  // namespace
