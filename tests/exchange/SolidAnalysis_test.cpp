#include "exchange/SolidAnalysis.h"

#include <gtest/gtest.h>

#include <tuple>

#include "TestSupport.h"

namespace {

TEST(SolidAnalysis, MeasuresTrianglesAndQuadrilateralsInSquareMetres) {
    const std::tuple<std::string_view, double, double, double> cases[] = {  // line, area, centre
        {"sl 0 0 1000 0 0 1000", 0.5, 1000.0 / 3, 1000.0 / 3},
        {"sl 0 0 0 1000 1000 0", 0.5, 1000.0 / 3, 1000.0 / 3},  // clockwise
        {"sl 0 0 1000 0 1000 1000 0 1000", 1.0, 500, 500},
        // Crossed: both lobes, as Jw_cad fills them (the shoelace formula would give their difference).
        {"sl 0 0 1000 0 0 1000 1000 1000", 0.5, 500, 500},
        {"sl 0 0 2000 0 0 1000 2000 1000", 1.0, 1000, 500},
        {"sl 0 0 1000 1000 1000 0 0 1000", 0.5, 500, 500},
        {"sl 0 0 3000 0 0 1000 1000 1000", 1.25, 1000, 500},  // lobes of 1.125 and 0.125
        {"sl 0 0 2000 0 1000 500 0 1000", 1.0, 750, 375},              // concave, not crossed
        {"sl 0 0 1000 0 500 0 500 1000", 0.25, 500, 250},              // edges touch: not crossed
        {"SL -2500 -1500 2500 -1500 2500 1500 -2500 1500", 15.0, 0, 0},
        {"sl 2500 -1500 4000 -1500 2500 1500", 2.25, 3000, -500},
        {"sl +5e2 0 1.5E3 0 .5e3 -1000", 0.5, 2500.0 / 3, -1000.0 / 3},
        {"sl -0 +0 1000. 0.0 .0 1000.000000000000", 0.5, 1000.0 / 3, 1000.0 / 3},  // 16 digits: the long way
    };
    for (auto [line, area, centreX, centreY] : cases) {
        std::optional<MeasuredSolid> m = MeasureSolid(line);
        ASSERT_TRUE(m) << line;
        EXPECT_DOUBLE_EQ(m->area, area) << line;
        EXPECT_NEAR(m->centreX, centreX, 1e-9) << line;
        EXPECT_NEAR(m->centreY, centreY, 1e-9) << line;
    }
    for (std::string_view line :
         {"sl", "sl ", "sl 0 0 1000 1000", "sl 1 2 3 4 5", "sl 1 2 3 4 5 6 7", "sl 1 2 3 4 5 6 7 8 9",
          "sl 0 0 1000 0 0 1000 ", "sl 0  0 1000 0 0 1000", "sl 0 0 1000 0 0 1e999", "sl 0 0 inf 0 0 1000",
          "sl 0 0 1,000 0 0 1000", "sl 0 0 ++1 0 0 1000", "sl 0 0 1000mm 0 0 1000", "sl 0 0 1e308 0 0 1e308"})
        EXPECT_FALSE(MeasureSolid(line)) << line;
}

// Plain solids go to the first row of their colour, the others to the last (the two differ
// only when a previous table has two rows of the same colour); rows beyond those in use
// are not searched.
TEST(SolidAnalysis, FirstMatchForPlainSolidsLastMatchForTheOthers) {
    Table table;
    table.firstFreeRow = 4;
    Drawing drawing;
    drawing.rowColours = {0, 7, 9, 7, 5};
    EXPECT_EQ(FindRow(drawing, table, 5, false), 0);
    EXPECT_EQ(FindRow(drawing, table, 5, true), 0);
    RecordingNotifier notifier;
    const ReadOptions rewrite{.rewritesSolids = true};
    std::optional<SolidPlacement> plain = TakeSolidRecord("sl 0 0 1000 0 0 1000", {0.5, 0}, 7, rewrite, table, drawing, notifier);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->row, 1);
    EXPECT_EQ(plain->list, RecordList::Sl);
    std::optional<SolidPlacement> circle = TakeSolidRecord("sc 0 0 1", {}, 7, rewrite, table, drawing, notifier);
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->row, 3);
    EXPECT_EQ(circle->list, RecordList::Sc);
    EXPECT_EQ(drawing.currentRow, 3);
    EXPECT_EQ(table.firstFreeRow, 4);
}

}  // namespace
