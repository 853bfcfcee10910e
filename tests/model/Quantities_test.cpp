#include "model/Quantities.h"

#include <gtest/gtest.h>

namespace {

TEST(Quantities, RoundsHalfUpAtTheKetaDigits) {
    struct Case {
        std::optional<double> area;
        double factor;
        std::string_view keta;
        std::string_view text;
    };
    const Case cases[] = {
        {0.125, 1, "2", "0.13"},  // half up, not to even
        {2.5, 1, "0", "3"},          {0.5, 1, "0", "1"},
        {1234.5, 1, "-1", "1,230"},  {1234.5, 1, "4", "1,234.5000"},
        {1234.5, 1, "-2", "1,200"},  {617.25, 2, "1", "1,234.5"},
        {15, 1, "3", "15.000"},      {1.23456, 1, "6", "1"},  // six digits round, the text has no decimals beyond 4
        {std::nullopt, 1, "3", "-"}, {1.6, 1, "x", "2"},      // a rounding that is no number rounds as 0
        {1.6, 1, " 1 ", "1.6"},                               // blanks around it are ignored
        {1.25, 1, "400", "1"},                                // beyond a double's scale: the value as it is
        {1234.5, 1, "-400", "0"},                             // rounding to 10^400
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuantityText(c.area, c.factor, c.keta), c.text) << c.area.value_or(-1) << " keta " << c.keta;
    EXPECT_EQ(RoundedQuantity(1234.5, -1), 1230);
    EXPECT_EQ(RoundedQuantity(-2.5, 0), -2);  // half up, towards larger values
}

TEST(Quantities, UnitEntriesGiveUnitAndFactor) {
    struct Case {
        std::string_view entry;
        std::string_view unit;
        double factor;
    };
    const Case cases[] = {
        {"m^2,1", "m^2", 1},         {"m2", "m2", 1},         {"m2,abc", "m2", 1}, {"m2,", "m2", 1},
        {"坪,0.3025", "坪", 0.3025}, {"m2,2.5,x", "m2", 2.5}, {",3", "", 3},       {"", "", 1},
        {"m2,0", "m2", 1},           {"m2,\t2 ", "m2", 2},    {"個, 4", "個", 4},   {"m2,+2", "m2", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnitCaption(c.entry), c.unit) << c.entry;
        EXPECT_EQ(UnitFactor(c.entry), c.factor) << c.entry;
    }
}

TEST(Quantities, DefaultUnitGoesToRowsWithoutUnitEntry) {
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
}

TEST(Quantities, RoundingPickRecomputesOnlyMeasuredNumbers) {
    Table table;
    table.firstFreeRow = 3;
    table.Row(1).area = 1234.5;
    table.Row(1).factor = 1;
    table.Row(1).quantity = "1,234.500";
    table.Row(2).quantity = "-";
    table.Row(3).quantity = "12.5";  // typed into a row without area
    table.Row(4).area = 2;
    table.Row(4).factor = 1;
    table.Row(4).quantity = "多い";  // typed over a measured quantity
    RecomputeQuantities(table, "-1");
    EXPECT_EQ(table.Row(1).quantity, "1,230");
    EXPECT_EQ(table.Row(2).quantity, "-");
    EXPECT_EQ(table.Row(3).quantity, "12.5");
    EXPECT_EQ(table.Row(4).quantity, "多い");
}

}  // namespace
