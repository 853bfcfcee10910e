#include "base/Format.h"

#include <gtest/gtest.h>

TEST(FormatQuantity, PatternsAndRounding) {
    struct Case {
        double value;
        int digits;
        const char* expected;
    } cases[] = {
        {1234.5, 2, "1,234.50"}, {0.004, 2, "0.00"},     {999.96, 1, "1,000.0"}, {12.5, 0, "13"},
        {0.125, 2, "0.13"},      {2.5, 0, "3"},          {1.005, 2, "1.00"},     {1234567.891, 3, "1,234,567.891"},
        {12.0, 7, "12"},         {12.0, -1, "12"},       {0.0, 4, "0.0000"},     {-1234.5, 0, "-1,235"},
        {-0.001, 2, "0.00"},     {1e20, 0, "100,000,000,000,000,000,000"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatQuantity(c.value, c.digits), c.expected) << c.value << " " << c.digits;
}

TEST(FitText, KindsForTextsThatFit) {
    EXPECT_EQ(FitText("ab", 5, 0, " "), "ab   ");
    EXPECT_EQ(FitText("ab", 5, 1, " "), "   ab");
    EXPECT_EQ(FitText("ab", 7, 2, " "), "   ab  ");
    EXPECT_EQ(FitText("ab", 6, 2, " "), "  ab  ");
    EXPECT_EQ(FitText("床材", 8, 2, " "), "  床材  ");
    EXPECT_EQ(FitText("ab", 6, 3, " "), " ab ・・");
    EXPECT_EQ(FitText("", 5, 3, " "), "  ・・・");
    EXPECT_EQ(FitText("ab", 5, 4, " "), "");
    EXPECT_EQ(FitText("ab", 5, -1, " "), "");
}

TEST(FitText, NeverCutsTheTextItself) {
    EXPECT_EQ(FitText("abc", 2, 0, " "), "abc");
    EXPECT_EQ(FitText("abc", 2, 1, " "), "abc");
    EXPECT_EQ(FitText("abc", 2, 2, " "), "abc");
    EXPECT_EQ(FitText("Wall", 4, 3, " "), " Wall");
    EXPECT_EQ(FitText("m^u2", 2, 2, " "), "m^u2");    // measured as "m2": fills the column
    EXPECT_EQ(FitText("m^u2", 4, 2, " "), " m^u2 ");
    EXPECT_EQ(FitText("m^u2", 4, 0, " "), "m^u2  ");
}

TEST(NumberForm, SingleAndDouble) {
    EXPECT_EQ(FormatSingle(12.75f), "12.75");
    EXPECT_EQ(FormatSingle(-16.0f), "-16");
    EXPECT_EQ(FormatSingle(0.0f), "0");
    EXPECT_EQ(FormatSingle(-0.0f), "0");
    EXPECT_EQ(FormatSingle(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(FormatSingle(0.5f), "0.5");
    EXPECT_EQ(FormatSingle(1e7f), "1E+07");
    EXPECT_EQ(FormatSingle(1234567.0f), "1234567");
    EXPECT_EQ(FormatSingle(0.00001f), "1E-05");
    EXPECT_EQ(FormatDouble(1000.0 / 3.0), "333.333333333333");
    EXPECT_EQ(FormatDouble(-830.5), "-830.5");
    EXPECT_EQ(FormatDouble(12.0), "12");
    EXPECT_EQ(FormatDouble(1e15), "1E+15");
    EXPECT_EQ(FormatDouble(123456789012345.0), "123456789012345");
}
