// The check of the measured solids: crossed quadrilaterals, empty solids and solids whose
// insides overlap, within a row and across rows; and each row's area as it is seen, where
// solids drawn above others hide what they cover.
//
//   overlap  1  2  0.25  500  500    (two unit squares, a quarter shared)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "exchange/Drawing.h"
#include "model/Table.h"

// Areas and shared areas below this count as nothing: 1 mm², far below the 0.0001 m² that the
// finest rounding shows, and far above the rounding noise of millimetre coordinates, so that
// solids that only share an edge are not reported.
inline constexpr double kCheckTolerance = 1e-6;  // m²

// The pairs past which a whole check stops short. A plan of a million rooms has some tens of
// thousands of pairs of solids whose boxes meet; only thousands of solids heaped on one
// another come near, where the pairs grow with the square of the solids, and with them the
// time and the memory.
inline constexpr std::size_t kWholeCheckPairLimit = 1'000'000;

enum class FindingKind : std::uint8_t { Crossed, Empty, Overlap };

// "crossed", "empty", "overlap": the kind in vemora-cli's TSV and JSON.
std::string_view FindingWord(FindingKind kind);
// The user's word for the kind, in the markers and in the window: "ねじれ", "面積0", "重なり".
std::string_view FindingLabel(FindingKind kind);

struct Finding {
    FindingKind kind = FindingKind::Overlap;
    int row = 0;          // the solid's row; for an overlap, the row of the solid read first
    int otherRow = 0;     // for an overlap, the row of the solid read second; 0 otherwise
    double area = 0.0;    // m²: a crossed solid's two lobes, an empty solid's, the shared part
    double x = 0.0;       // drawing mm, a point inside the finding (for an empty solid, the
    double y = 0.0;       // mean of its corners)
    bool operator==(const Finding&) const = default;
};

struct SolidCheck {
    // Each solid's crossed and empty findings, then its overlaps with solids read after it,
    // in reading order.
    std::vector<Finding> findings;
    // Per row (index 0 unused), the part of its measured solids that no solid drawn above
    // covers, each place counted once; nullopt for a row without measured solids. A solid
    // that nothing covers counts its measured area, so a drawing without overlaps gives the
    // rows' own areas to the last bit.
    std::array<std::optional<double>, kRowCount + 1> seenAreas{};
    // The pair search stopped at its limit (a drawing with a great many solids on top of one
    // another): the findings hold the overlaps found until then, and no row has a seen area.
    bool cutShort = false;
};

// Checks the solids of the rows' measured lists, starting from the shapes the load kept where
// it kept them, else from the lines. Jw_cad draws solids in file order, later ones above, or
// the other way round when `reverseOrder` (its Reverse value is not 0). Crossed quadrilaterals
// count as their two lobes. A solid whose outline Boost.Geometry cannot use (a quadrilateral
// that folds back on one of its edges) is left out of the overlap search. The pair search
// goes by a grid of cells (ForEachBoxPair). Each pair of solids whose boxes share more than the
// tolerance is measured exactly, the pairs shared among the cores; beyond `pairLimit` such
// pairs the check stops short, as their number grows with the square of the solids heaped on
// one place and each costs microseconds and memory.
SolidCheck CheckSolids(const Table& table, const Drawing& drawing, bool reverseOrder,
                       std::size_t pairLimit = kWholeCheckPairLimit);
