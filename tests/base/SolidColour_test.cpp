#include "base/SolidColour.h"

#include <gtest/gtest.h>

TEST(SolidColour, TextForms) {
    SolidColour c = RgbColour(255, 128, 0);
    EXPECT_EQ(ColourRgbText(c), "R:255 G:128 B:0");
    EXPECT_EQ(ColourHexText(c), "FF8000");
    EXPECT_EQ(ColourHexText(0), "000000");
    EXPECT_EQ(ColourRgbText(kWhite), "R:255 G:255 B:255");
}

TEST(SolidColour, ParseColourText) {
    EXPECT_EQ(ParseColourText("#FF0000"), 255);
    EXPECT_EQ(ParseColourText("#ff8000"), RgbColour(255, 128, 0));
    EXPECT_EQ(ParseColourText("#FF"), RgbColour(0, 0, 255));          // padded on the left
    EXPECT_EQ(ParseColourText("#12FF0000"), 255);                      // last six digits
    EXPECT_EQ(ParseColourText("65280"), RgbColour(0, 255, 0));
    EXPECT_EQ(ParseColourText("abc"), 0);
    EXPECT_EQ(ParseColourText(""), 0);
}

TEST(SolidColour, HexDigitIndexIsCaseSensitive) {
    EXPECT_EQ(HexDigitIndex("0"), 1);
    EXPECT_EQ(HexDigitIndex("9"), 10);
    EXPECT_EQ(HexDigitIndex("a"), 11);
    EXPECT_EQ(HexDigitIndex("f"), 16);
    EXPECT_EQ(HexDigitIndex("A"), 0);
    EXPECT_EQ(HexDigitIndex("g"), 0);
    EXPECT_EQ(HexDigitIndex(""), 0);
    EXPECT_EQ(UpperHexDigit(1), '0');
    EXPECT_EQ(UpperHexDigit(11), 'A');
    EXPECT_EQ(UpperHexDigit(16), 'F');
}
