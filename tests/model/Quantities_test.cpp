#include "model/Quantities.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Half up, not to even, also below zero (towards larger values); six digits round, but the
// text has no decimals beyond 4; a rounding that is no number rounds as 0, blanks around it
// are ignored; digits beyond a double's scale leave the value as it is, and rounding to
// 10^400 gives 0.
TEST(Quantities, RoundsHalfUpAtTheKetaDigits) {
    const std::tuple<std::optional<double>, double, std::string_view, std::string_view> cases[] = {
        {0.125, 1, "2", "0.13"},     {2.5, 1, "0", "3"},         {0.5, 1, "0", "1"},
        {1234.5, 1, "-1", "1,230"},  {1234.5, 1, "4", "1,234.5000"}, {1234.5, 1, "-2", "1,200"},
        {617.25, 2, "1", "1,234.5"}, {15, 1, "3", "15.000"},     {1.23456, 1, "6", "1"},
        {std::nullopt, 1, "3", "-"}, {1.6, 1, "x", "2"},         {1.6, 1, " 1 ", "1.6"},
        {1.25, 1, "400", "1"},       {1234.5, 1, "-400", "0"},
    };
    for (auto [area, factor, keta, text] : cases)
        EXPECT_EQ(QuantityText(area, factor, keta), text) << area.value_or(-1) << " keta " << keta;
    EXPECT_EQ(RoundedQuantity(-2.5, 0), -2);
}

TEST(Quantities, UnitEntriesGiveUnitAndFactor) {
    const std::tuple<std::string_view, std::string_view, double> cases[] = {
        {"m^2,1", "m^2", 1},         {"m2", "m2", 1},         {"m2,abc", "m2", 1}, {"m2,", "m2", 1},
        {"坪,0.3025", "坪", 0.3025}, {"m2,2.5,x", "m2", 2.5}, {",3", "", 3},       {"", "", 1},
        {"m2,0", "m2", 1},           {"m2,\t2 ", "m2", 2},    {"個, 4", "個", 4},   {"m2,+2", "m2", 2},
    };
    for (auto [entry, unit, factor] : cases) {
        EXPECT_EQ(UnitCaption(entry), unit) << entry;
        EXPECT_EQ(UnitFactor(entry), factor) << entry;
    }
}

// The default unit goes to rows in use without an entry; a pick in the rounding list
// recomputes only quantities that are measured numbers.
TEST(Quantities, DefaultUnitAndRoundingPick) {
    Table table;
    table.firstFreeRow = 4;
    SetUnitEntry(table.Row(2), ",3", "3");  // a stored entry with an empty unit keeps its factor
    SetUnitEntry(table.Row(3), "m,1", "3");
    ApplyDefaultUnit(table, "坪,0.3025");
    EXPECT_EQ(table.Row(1).unitEntry, "坪,0.3025");
    EXPECT_EQ(table.Row(1).factor, 0.3025);
    EXPECT_EQ(table.Row(2).factor, 3);
    EXPECT_EQ(table.Row(3).unitEntry, "m,1");
    EXPECT_EQ(table.Row(4).unitEntry, "");  // beyond the rows in use

    Table picked;
    picked.Row(1).area = 1234.5;
    picked.Row(1).quantity = "1,234.500";
    picked.Row(2).quantity = "-";
    picked.Row(3).quantity = "12.5";  // typed into a row without area
    picked.Row(4).area = 2;
    picked.Row(4).quantity = "多い";  // typed over a measured quantity
    picked.Row(16).area = 2;
    picked.Row(16).quantity = "2";
    RecomputeQuantities(picked, "-1");
    const char* expected[] = {"1,230", "-", "12.5", "多い"};
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(picked.Row(i).quantity, expected[i - 1]);
    EXPECT_EQ(picked.Row(16).quantity, "0");
}

}  // namespace
