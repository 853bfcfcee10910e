#include "base/SolidColour.h"

#include <gtest/gtest.h>

#include <utility>

TEST(SolidColour, TextForms) {
    EXPECT_EQ(ColourRgbText(RgbColour(255, 128, 0)), "R:255 G:128 B:0");
    EXPECT_EQ(ColourRgbText(kWhite), "R:255 G:255 B:255");
    EXPECT_EQ(ColourHexText(RgbColour(255, 128, 0)), "FF8000");
    EXPECT_EQ(ColourHexText(0), "000000");
    // "#RRGGBB" padded on the left, of a longer one the last six digits; else a decimal value.
    const std::pair<const char*, SolidColour> cases[] = {
        {"#FF0000", 255},   {"#ff8000", RgbColour(255, 128, 0)}, {"#FF", RgbColour(0, 0, 255)},
        {"#12FF0000", 255}, {"65280", RgbColour(0, 255, 0)},     {"abc", 0}, {"", 0}};
    for (auto [text, colour] : cases) EXPECT_EQ(ParseColourText(text), colour) << text;
}

TEST(SolidColour, HexDigitsAreLowerCaseInAndUpperCaseOut) {
    const char* digits[] = {"0", "9", "a", "f", "A", "g", "", "00"};
    const int indexes[] = {1, 10, 11, 16, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(HexDigitIndex(digits[i]), indexes[i]) << digits[i];
    EXPECT_EQ(std::string({UpperHexDigit(1), UpperHexDigit(11), UpperHexDigit(16), UpperHexDigit(0),
                           UpperHexDigit(17)}),
              "0AF00");
}
