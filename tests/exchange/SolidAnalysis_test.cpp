#include "exchange/SolidAnalysis.h"

#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"

namespace {

TEST(SolidAnalysis, MeasuresTrianglesAndQuadrilateralsInSquareMetres) {
    struct Case {
        std::string_view line;
        double area, centreX, centreY;
    };
    const Case cases[] = {
        {"sl 0 0 1000 0 0 1000", 0.5, 1000.0 / 3, 1000.0 / 3},
        {"sl 0 0 0 1000 1000 0", 0.5, 1000.0 / 3, 1000.0 / 3},  // clockwise
        {"sl 0 0 1000 0 1000 1000 0 1000", 1.0, 500, 500},
        {"sl 0 0 1000 0 0 1000 1000 1000", 0.0, 500, 500},  // crossed: the vertices in the order given
        {"SL -2500 -1500 2500 -1500 2500 1500 -2500 1500", 15.0, 0, 0},
        {"sl 2500 -1500 4000 -1500 2500 1500", 2.25, 3000, -500},
        {"sl +5e2 0 1.5E3 0 .5e3 -1000", 0.5, 2500.0 / 3, -1000.0 / 3},
        {"sl -0 +0 1000. 0.0 .0 1000.000000000000", 0.5, 1000.0 / 3, 1000.0 / 3},  // 16 digits: the long way
    };
    for (const Case& c : cases) {
        std::optional<MeasuredSolid> m = MeasureSolid(c.line);
        ASSERT_TRUE(m) << c.line;
        EXPECT_DOUBLE_EQ(m->area, c.area) << c.line;
        EXPECT_NEAR(m->centreX, c.centreX, 1e-9) << c.line;
        EXPECT_NEAR(m->centreY, c.centreY, 1e-9) << c.line;
    }
}

TEST(SolidAnalysis, RecordsThatCannotBeMeasured) {
    for (std::string_view line :
         {"sl", "sl ", "sl 0 0 1000 1000", "sl 1 2 3 4 5", "sl 1 2 3 4 5 6 7", "sl 1 2 3 4 5 6 7 8 9",
          "sl 0 0 1000 0 0 1000 ", "sl 0  0 1000 0 0 1000", "sl 0 0 1000 0 0 1e999", "sl 0 0 inf 0 0 1000",
          "sl 0 0 1,000 0 0 1000", "sl 0 0 ++1 0 0 1000", "sl 0 0 1000mm 0 0 1000"})
        EXPECT_FALSE(MeasureSolid(line)) << line;
}

TEST(SolidAnalysis, FirstMatchForPlainSolidsLastMatchForTheOthers) {
    Table table;
    table.firstFreeRow = 4;
    Drawing drawing;
    drawing.rowColours = {0, 7, 9, 7};
    EXPECT_EQ(FindRow(drawing, table, 7, false), 1);
    EXPECT_EQ(FindRow(drawing, table, 7, true), 3);
    EXPECT_EQ(FindRow(drawing, table, 5, false), 0);
    drawing.rowColours[4] = 5;  // beyond the rows in use
    EXPECT_EQ(FindRow(drawing, table, 5, true), 0);

    // The same order when records are taken.
    RecordingNotifier notifier;
    std::optional<SolidPlacement> plain =
        TakeSolidRecord("sl 0 0 1000 0 0 1000", 7, kRewrite, table, drawing, notifier);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->row, 1);
    EXPECT_EQ(plain->list, RecordList::Sl);
    std::optional<SolidPlacement> circle =
        TakeSolidRecord("sc 0 0 1", 7, kRewrite, table, drawing, notifier);
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->row, 3);
    EXPECT_EQ(circle->list, RecordList::Sc);
    EXPECT_EQ(drawing.currentRow, 3);
    EXPECT_EQ(table.firstFreeRow, 4);
}

}  // namespace
