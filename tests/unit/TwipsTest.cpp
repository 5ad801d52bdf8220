// Twips to pixels: the dialog's sizes at the usual and at higher dpi.
#include <gtest/gtest.h>

#include "platform/dialog/Layout.h"

namespace {

using dialog::twips_to_pixels;

TEST(Twips, FifteenToThePixelAt96Dpi) {
    EXPECT_EQ(twips_to_pixels(15, 96), 1);
    EXPECT_EQ(twips_to_pixels(45, 96), 3);      // the dialog frame
    EXPECT_EQ(twips_to_pixels(2940, 96), 196);  // client width
    EXPECT_EQ(twips_to_pixels(1365, 96), 91);   // client height
    EXPECT_EQ(twips_to_pixels(1455, 96), 97);   // outer height, compact
    EXPECT_EQ(twips_to_pixels(2745, 96), 183);  // outer height, expanded
    EXPECT_EQ(twips_to_pixels(2940 + 2 * 45, 96), 202);
}

TEST(Twips, ZeroStaysZero) { EXPECT_EQ(twips_to_pixels(0, 144), 0); }

TEST(Twips, ScalesWithTheDpi) {
    EXPECT_EQ(twips_to_pixels(1440, 120), 120);
    EXPECT_EQ(twips_to_pixels(2940, 144), 294);
    EXPECT_EQ(twips_to_pixels(45, 192), 6);
}

TEST(Twips, RoundsToTheNearestPixel) {
    EXPECT_EQ(twips_to_pixels(2745, 120), 229);  // 228.75
    EXPECT_EQ(twips_to_pixels(1455, 120), 121);  // 121.25
    EXPECT_EQ(twips_to_pixels(7, 96), 0);        // 0.47
    EXPECT_EQ(twips_to_pixels(8, 96), 1);        // 0.53
    EXPECT_EQ(twips_to_pixels(255, 110), 19);    // 19.48
}

}  // namespace
