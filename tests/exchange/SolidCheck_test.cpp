#include "exchange/SolidCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "exchange/ExchangeReader.h"

namespace {

struct Drawn {
    int colour;  // solid colour of the "lc10" record before the line; rows form in order of colour
    std::string line;
};

struct Loaded {
    Table table{};
    Drawing drawing{};
};

// Where the load keeps the solids' shapes the check starts from them, otherwise from the lines.
Loaded Read(const std::vector<Drawn>& solids, bool keepsShapes = false) {
    std::string bytes = "hq\r\n";
    for (const Drawn& s : solids) bytes += "lc10 " + std::to_string(s.colour) + "\r\n" + s.line + "\r\n";
    Loaded r;
    RecordingNotifier notifier;
    EXPECT_EQ(ReadExchange(std::move(bytes), {.measuresAreas = true, .keepsShapes = keepsShapes}, r.table, r.drawing,
                           notifier),
              ReadOutcome::Finished);
    return r;
}

const std::string kUnitSquare = "sl 0 0 1000 0 1000 1000 0 1000";
const std::string kShiftedSquare = "sl 500 500 1500 500 1500 1500 500 1500";
const std::string kFloor = "sl 0 0 4000 0 4000 3000 0 3000";            // 12 m²
const std::string kRoomA = "sl 0 0 2000 0 2000 3000 0 3000";            // 6 m², on the floor
const std::string kRoomB = "sl 2000 0 3000 0 3000 1000 2000 1000";      // 1 m², beside room A
const std::string kBowTie = "sl 0 0 2000 0 0 1000 2000 1000";           // lobes of 0.5 and 0.5
const std::string kStrip = "sl 0 0 2000 0 2000 500 0 500";              // under the bow-tie's lower lobe

// Fifteen rows of solids that are not measured (four numbers), then one that is, in row 16.
std::vector<Drawn> LastRowOnly(const std::string& line) {
    std::vector<Drawn> solids;
    for (int colour = 1; colour <= 15; ++colour) solids.push_back({colour, "sl 0 0 1000 1000"});
    solids.push_back({16, line});
    return solids;
}

struct CheckCase {
    const char* name;
    std::vector<Drawn> solids;
    bool reverse;
    std::vector<Finding> findings;
    std::vector<double> seen;  // rows 1, 2, ...
};

TEST(SolidCheck, FindsCrossedEmptyAndOverlappingSolidsAndTheAreasAsSeen) {
    using enum FindingKind;
    const CheckCase cases[] = {
        {"a quarter shared in one row", {{1, kUnitSquare}, {1, kShiftedSquare}}, false,
         {{Overlap, 1, 1, 0.25, 750, 750}}, {1.75}},
        {"a quarter shared across rows", {{1, kUnitSquare}, {2, kShiftedSquare}}, false,
         {{Overlap, 1, 2, 0.25, 750, 750}}, {0.75, 1.0}},
        {"the same, drawn in reverse order", {{1, kUnitSquare}, {2, kShiftedSquare}}, true,
         {{Overlap, 1, 2, 0.25, 750, 750}}, {1.0, 0.75}},
        {"squares sharing an edge", {{1, kUnitSquare}, {2, "sl 1000 0 2000 0 2000 1000 1000 1000"}}, false, {},
         {1.0, 1.0}},
        {"a bow-tie", {{1, kBowTie}}, false, {{Crossed, 1, 0, 1.0, 1000, 2500.0 / 3}}, {1.0}},
        {"a strip under a bow-tie's lobe", {{1, kBowTie}, {2, kStrip}}, false,
         {{Crossed, 1, 0, 1.0, 1000, 2500.0 / 3}, {Overlap, 1, 2, 0.5, 1000, 500.0 / 3}}, {0.5, 1.0}},
        {"collinear and repeated corners", {{1, "sl 0 0 1000 0 2000 0"}, {1, "sl 0 0 1000 1000 1000 1000 0 0"}}, false,
         {{Empty, 1, 0, 0.0, 1000, 0}, {Empty, 1, 0, 0.0, 500, 500}}, {0.0}},
        {"a floor under two rooms", {{1, kFloor}, {2, kRoomA}, {3, kRoomB}}, false,
         {{Overlap, 1, 2, 6.0, 1000, 1500}, {Overlap, 1, 3, 1.0, 2500, 500}}, {5.0, 6.0, 1.0}},
        {"the floor drawn above the rooms", {{1, kFloor}, {2, kRoomA}, {3, kRoomB}}, true,
         {{Overlap, 1, 2, 6.0, 1000, 1500}, {Overlap, 1, 3, 1.0, 2500, 500}}, {12.0, 0.0, 0.0}},
        {"a solid covered exactly", {{1, kUnitSquare}, {2, kUnitSquare}}, false, {{Overlap, 1, 2, 1.0, 500, 500}},
         {0.0, 1.0}},
        {"three on one place, one row", {{1, kUnitSquare}, {1, kUnitSquare}, {1, kUnitSquare}}, false,
         {{Overlap, 1, 1, 1.0, 500, 500}, {Overlap, 1, 1, 1.0, 500, 500}, {Overlap, 1, 1, 1.0, 500, 500}}, {1.0}},
        {"measured solids in the last row only", LastRowOnly(kBowTie), false, {{Crossed, 16, 0, 1.0, 1000, 2500.0 / 3}},
         {}},
    };
    for (const CheckCase& c : cases) {
        for (bool keepsShapes : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (keepsShapes ? ", shapes kept" : ""));
            Loaded loaded = Read(c.solids, keepsShapes);
            SolidCheck check = CheckSolids(loaded.table, loaded.drawing, c.reverse);
            ASSERT_EQ(check.findings.size(), c.findings.size());
            for (std::size_t i = 0; i < c.findings.size(); ++i) {
                const Finding &got = check.findings[i], &want = c.findings[i];
                EXPECT_EQ(FindingWord(got.kind), FindingWord(want.kind)) << i;
                EXPECT_EQ(got.row, want.row) << i;
                EXPECT_EQ(got.otherRow, want.otherRow) << i;
                EXPECT_NEAR(got.area, want.area, 1e-9) << i;
                EXPECT_NEAR(got.x, want.x, 1e-6) << i;
                EXPECT_NEAR(got.y, want.y, 1e-6) << i;
            }
            for (std::size_t row = 1; row <= c.seen.size(); ++row) {
                ASSERT_TRUE(check.seenAreas[row]) << row;
                EXPECT_NEAR(*check.seenAreas[row], c.seen[row - 1], 1e-9) << row;
            }
            EXPECT_FALSE(check.seenAreas[c.seen.size() + 1]);
            EXPECT_FALSE(check.cutShort);
        }
    }
}

// Solids heaped on one place make pairs by the square of their number: the search stops at
// its limit, keeps what it found and gives no seen areas, which would be wrong.
TEST(SolidCheck, StopsShortAtThePairLimit) {
    Loaded loaded = Read({{1, kUnitSquare}, {1, kUnitSquare}, {2, kUnitSquare}, {3, kFloor}});
    SolidCheck whole = CheckSolids(loaded.table, loaded.drawing, false, 6);
    EXPECT_EQ(whole.findings.size(), 6u);
    EXPECT_FALSE(whole.cutShort);
    SolidCheck cut = CheckSolids(loaded.table, loaded.drawing, false, 5);
    EXPECT_TRUE(cut.cutShort);
    EXPECT_EQ(cut.findings.size(), 5u);
    for (const auto& seen : cut.seenAreas) EXPECT_FALSE(seen);
}

// Without overlaps every row's seen area is its own area to the last bit, so that switching
// to seen areas changes no table that has nothing hidden.
TEST(SolidCheck, SeenAreasWithoutOverlapsAreTheRowsOwn) {
    Loaded loaded = Read({{1, "sl 0.1 0 1000.3 0 1000 999.7 0 1000"}, {2, "sl 2000 0 3000.7 0 2000 1000.1"},
                          {1, "sl 5000 5000 5333.3 5000 5333.3 5777.7 5000 5777.7"}});
    SolidCheck check = CheckSolids(loaded.table, loaded.drawing, false);
    EXPECT_TRUE(check.findings.empty());
    for (int row = 1; row <= 2; ++row) EXPECT_EQ(check.seenAreas[static_cast<std::size_t>(row)], loaded.table.Row(row).area);
}

}  // namespace
