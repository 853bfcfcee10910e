#include "base/Format.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FormatQuantity, PatternsAndRounding) {
    const std::tuple<double, int, const char*> cases[] = {
        {1234.5, 2, "1,234.50"}, {0.004, 2, "0.00"},     {999.96, 1, "1,000.0"}, {12.5, 0, "13"},
        {0.125, 2, "0.13"},      {2.5, 0, "3"},          {1.005, 2, "1.00"},     {1234567.891, 3, "1,234,567.891"},
        {12.0, 7, "12"},         {12.0, -1, "12"},       {0.0, 4, "0.0000"},     {-1234.5, 0, "-1,235"},
        {-0.001, 2, "0.00"},     {1e20, 0, "100,000,000,000,000,000,000"}, {99.5, 0, "100"}};
    for (auto [value, digits, expected] : cases) EXPECT_EQ(FormatQuantity(value, digits), expected) << value << " " << digits;
}

// Kinds 0..2 pad to the width (left, right, centred) and never cut the text, "m^u2" measured
// as "m2"; kind 3 is a blank, the text and a row of dots; other kinds give nothing.
TEST(FitText, KindsAndWidths) {
    const std::tuple<const char*, int, int, const char*> cases[] = {
        {"ab", 5, 0, "ab   "},   {"ab", 5, 1, "   ab"},   {"ab", 7, 2, "   ab  "},   {"ab", 6, 2, "  ab  "},
        {"床材", 8, 2, "  床材  "}, {"ab", 6, 3, " ab ・・"}, {"", 5, 3, "  ・・・"},     {"ab", 5, 4, ""},
        {"ab", 5, -1, ""},       {"abc", 2, 0, "abc"},    {"abc", 2, 1, "abc"},      {"abc", 2, 2, "abc"},
        {"Wall", 4, 3, " Wall"}, {"m^u2", 2, 2, "m^u2"},  {"m^u2", 4, 2, " m^u2 "},  {"m^u2", 4, 0, "m^u2  "}};
    for (auto [text, width, kind, expected] : cases)
        EXPECT_EQ(FitText(text, width, kind, " "), expected) << text << " " << width << " " << kind;
}

// Seven significant digits for a single, fifteen for a double ("" where the form would not
// tell), then the exponent form.
TEST(NumberForm, SingleAndDouble) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {12.75, "12.75", "12.75"},    {-16, "-16", "-16"},         {0, "0", "0"},
        {-0.0, "0", "0"},             {0.5, "0.5", "0.5"},         {1e7, "1E+07", "10000000"},
        {1234567, "1234567", "1234567"}, {0.00001, "1E-05", "1E-05"}, {1000.0 / 3, "", "333.333333333333"},
        {1.0f / 3.0f, "0.3333333", ""}, {-830.5, "-830.5", "-830.5"}, {1e15, "", "1E+15"},
        {123456789012345.0, "", "123456789012345"}};
    for (auto [value, single, general] : cases) {
        if (*single) { EXPECT_EQ(FormatSingle(static_cast<float>(value)), single) << value; }
        if (*general) { EXPECT_EQ(FormatDouble(value), general) << value; }
    }
}
