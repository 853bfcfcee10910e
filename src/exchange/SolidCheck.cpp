#include "exchange/SolidCheck.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <span>
#include <tuple>
#include <utility>

#include "base/Parallel.h"
#include "exchange/BoostGeometry.h"
#include "exchange/BoxPairs.h"
#include "exchange/SolidAnalysis.h"

namespace {

constexpr double kToleranceMm2 = kCheckTolerance * 1e6;

// What the check keeps of a measured solid besides its shape; its outline is read again from
// its line where a finding or a pair needs it, which is rare.
struct Solid {
    LineRef line;  // in file order: the drawing order
    int row = 0;   // 0: a shape the load kept that is in no row's list now
    enum class Use : std::uint8_t { Unknown, Usable, Unusable } use = Use::Unknown;  // in the overlap search
};

// The load kept the shape of every solid in the rows' measured lists.
bool ShapesKept(const Table& table) {
    for (int row = 1; row <= kRowCount; ++row)
        if (table.Row(row).records.shapes.size() != table.Row(row).records.sl.size()) return false;
    return true;
}

SolidOutline OutlineOf(const Drawing& drawing, LineRef line) {
    std::optional<SolidOutline> outline = ReadSolidOutline(drawing.Text(line));
    assert(outline && "a measured list holds only lines that measure");
    return outline.value_or(SolidOutline{});
}

SolidOutline OutlineOf(const Drawing& drawing, const Solid& solid) { return OutlineOf(drawing, solid.line); }

// The shape of a measured solid whose shape the load step did not keep.
std::optional<MeasuredShape> ShapeOfLine(const Drawing& drawing, LineRef line) {
    std::optional<MeasuredShape> shape = MeasureShape(drawing.Text(line));
    assert(shape && "a measured list holds only lines that measure");
    return shape;
}

geo::Polygon Triangle(const double* x, const double* y) {
    geo::Polygon polygon;
    for (int i = 0; i < 3; ++i) geo::bg::append(polygon.outer(), geo::Point(x[i], y[i]));
    geo::bg::append(polygon.outer(), geo::Point(x[0], y[0]));
    geo::bg::correct(polygon);
    return polygon;
}

// The solid as Jw_cad fills it: a crossed quadrilateral is its two lobes.
geo::Shape ShapeOf(const SolidOutline& outline) {
    geo::Shape shape;
    if (std::optional<CrossedLobes> lobes = CrossingOf(outline)) {
        for (int i = 0; i < 2; ++i) shape.push_back(Triangle(lobes->x[i], lobes->y[i]));
        return shape;
    }
    geo::Polygon polygon;
    for (int i = 0; i < outline.corners; ++i) {
        geo::Point corner(outline.x[i], outline.y[i]);
        // A corner given twice is one corner.
        if (polygon.outer().empty() || !geo::bg::equals(polygon.outer().back(), corner))
            geo::bg::append(polygon.outer(), corner);
    }
    geo::bg::append(polygon.outer(), polygon.outer().front());
    geo::bg::correct(polygon);
    shape.push_back(std::move(polygon));
    return shape;
}

// A convex outline (every corner turning the same way) is a valid polygon as it stands;
// others are asked of Boost, which refuses spikes and self-touching rings.
// Boost's exact overlay rescales coordinates to 64-bit integers, which coordinates beyond a
// million kilometres would overflow: such solids are measured but kept away from Boost.
bool WithinBoostRange(const SolidBox& box) {
    constexpr double kLimitMm = 1e12;
    return box.minX >= -kLimitMm && box.minY >= -kLimitMm && box.maxX <= kLimitMm && box.maxY <= kLimitMm;
}

bool Usable(const SolidOutline& outline, bool crossed) {
    if (crossed) return true;
    int left = 0, right = 0;
    for (int i = 0; i < outline.corners; ++i) {
        const int j = (i + 1) % outline.corners, k = (i + 2) % outline.corners;
        const double turn = (outline.x[j] - outline.x[i]) * (outline.y[k] - outline.y[i]) -
                            (outline.y[j] - outline.y[i]) * (outline.x[k] - outline.x[i]);
        left += turn > 0;
        right += turn < 0;
    }
    if (left == outline.corners || right == outline.corners) return true;
    return geo::bg::is_valid(ShapeOf(outline));
}

// A point inside the shape: the centre of its largest piece where that lies inside it (as it
// does for the convex pieces most overlaps are), else a point Boost finds on its surface.
geo::Point InsidePoint(const geo::Shape& shape) {
    assert(!shape.empty());
    auto largest = std::max_element(shape.begin(), shape.end(), [](const geo::Polygon& a, const geo::Polygon& b) {
        return geo::bg::area(a) < geo::bg::area(b);
    });
    geo::Point point = largest->outer().front();  // where Boost finds no point after all
    try {
        geo::bg::centroid(*largest, point);
        if (!geo::bg::within(point, *largest)) geo::bg::point_on_surface(*largest, point);
    } catch (const geo::bg::exception&) {
    }
    return point;
}

double AreaMm2(const geo::Shape& shape) { return std::fabs(geo::bg::area(shape)); }

// Boost throws on an input it finds invalid after all (a ring that touches itself within its
// own rounding): such a pair is taken as sharing nothing, and the run goes on.
geo::Shape SharedPart(const geo::Shape& a, const geo::Shape& b) {
    geo::Shape shared;
    try {
        geo::bg::intersection(a, b, shared);
    } catch (const geo::bg::exception&) {
        shared.clear();
    }
    return shared;
}

geo::Shape Without(const geo::Shape& a, const geo::Shape& b) {
    geo::Shape rest;
    try {
        geo::bg::difference(a, b, rest);
    } catch (const geo::bg::exception&) {
        return a;
    }
    return rest;
}

struct FindingNames {
    std::string_view word, label;
};
constexpr FindingNames kFindingNames[] = {{"crossed", "ねじれ"}, {"empty", "面積0"}, {"overlap", "重なり"}};  // by kind

}  // namespace

std::string_view FindingWord(FindingKind kind) { return kFindingNames[static_cast<std::size_t>(kind)].word; }

std::string_view FindingLabel(FindingKind kind) { return kFindingNames[static_cast<std::size_t>(kind)].label; }

SolidCheck CheckSolids(const Table& table, const Drawing& drawing, bool reverseOrder, std::size_t pairLimit) {
    // Each finding with its place in the list: its solid's offset, its kind (crossed, then
    // empty, then the overlaps) and for an overlap the other solid's offset.
    struct Placed {
        std::uint32_t offset = 0, otherOffset = 0;
        Finding finding;
    };
    std::vector<Placed> placed;
    // The measured solids and their shapes: as the load kept them, in file order, or else as
    // measured here from the lines, row after row. Where the reading order matters (the
    // findings' order, which solid is drawn above) the lines' offsets give it.
    const bool kept = ShapesKept(table);
    std::vector<MeasuredShape> measuredHere;
    std::vector<Solid> solids(kept ? drawing.shapes.size() : 0);
    if (!kept) {
        solids.reserve(MeasuredSolidCount(table));
        measuredHere.reserve(MeasuredSolidCount(table));
    }
    for (int row = 1; row <= kRowCount; ++row) {
        const RowRecords& records = table.Row(row).records;
        for (std::size_t k = 0; k < records.sl.size(); ++k) {
            if (kept) {
                solids[records.shapes[k]] = {records.sl[k], row};
            } else if (std::optional<MeasuredShape> shape = ShapeOfLine(drawing, records.sl[k])) {
                measuredHere.push_back(*shape);
                solids.push_back({records.sl[k], row});
            }
        }
    }
    const std::span<const MeasuredShape> shapes = kept ? std::span(drawing.shapes) : std::span(measuredHere);

    // Crossed and empty solids; the others' boxes in the overlap search, unless beyond Boost's range.
    std::vector<const SolidBox*> boxes(solids.size());
    for (std::size_t i = 0; i < solids.size(); ++i) {
        const LineRef line = solids[i].line;
        const int row = solids[i].row;
        const MeasuredShape& shape = shapes[i];
        if (row == 0) continue;
        if (shape.crossed || shape.area < kCheckTolerance) {
            const SolidOutline outline = OutlineOf(drawing, line);
            const MeasuredSolid measured = MeasureOutline(outline).value_or(MeasuredSolid{});
            if (shape.crossed) {
                const geo::Point inside = WithinBoostRange(shape.box) ? InsidePoint(ShapeOf(outline))
                                                                      : geo::Point(measured.centreX, measured.centreY);
                placed.push_back({line.offset, 0, {FindingKind::Crossed, row, 0, shape.area, inside.x(), inside.y()}});
            }
            if (shape.area < kCheckTolerance)
                placed.push_back(
                    {line.offset, 0, {FindingKind::Empty, row, 0, shape.area, measured.centreX, measured.centreY}});
        }
        if (shape.area >= kCheckTolerance && WithinBoostRange(shape.box)) boxes[i] = &shape.box;
    }

    // Pairs of usable solids whose boxes share more than the tolerance (boxes that only touch
    // hold no overlap), the one read first first, up to the limit. Whether a solid is usable
    // is asked only of those in such pairs.
    const auto usable = [&](std::uint32_t i) {
        Solid& solid = solids[i];
        if (solid.use == Solid::Use::Unknown)
            solid.use = Usable(OutlineOf(drawing, solid), shapes[i].crossed) ? Solid::Use::Usable : Solid::Use::Unusable;
        return solid.use == Solid::Use::Usable;
    };
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    const bool searchedAll = ForEachBoxPair(boxes, kToleranceMm2, [&](std::uint32_t a, std::uint32_t b) {
        if (!usable(a) || !usable(b)) return true;
        if (pairs.size() == pairLimit) return false;
        pairs.push_back(solids[a].line.offset < solids[b].line.offset ? std::pair{a, b} : std::pair{b, a});
        return true;
    });
    boxes = {};

    // Each pair measured exactly, on every core: the area the two share and a point inside it.
    struct Shared {
        double area = 0.0;  // mm²
        geo::Point inside;
    };
    std::vector<Shared> shared(pairs.size());
    parallel::ForEach(pairs.size(), [&](std::size_t k) {
        const auto [i, j] = pairs[k];
        const geo::Shape part = SharedPart(ShapeOf(OutlineOf(drawing, solids[i])), ShapeOf(OutlineOf(drawing, solids[j])));
        shared[k].area = AreaMm2(part);
        if (shared[k].area > kToleranceMm2) shared[k].inside = InsidePoint(part);
    });
    // Pairs of a solid and one drawn above it that covers part of it.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> covers;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto [i, j] = pairs[k];
        const auto [area, inside] = shared[k];
        if (area <= kToleranceMm2) continue;
        placed.push_back({solids[i].line.offset, solids[j].line.offset,
                          {FindingKind::Overlap, solids[i].row, solids[j].row, area / 1e6, inside.x(), inside.y()}});
        // Later solids are drawn above earlier ones, unless the order is reversed.
        covers.push_back(reverseOrder ? std::pair{j, i} : std::pair{i, j});
    }

    // In reading order: each solid's crossed and empty findings, then its overlaps with the
    // solids read after it.
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.offset, a.finding.kind, a.otherOffset) < std::tie(b.offset, b.finding.kind, b.otherOffset);
    });
    SolidCheck check;
    check.findings.reserve(placed.size());
    for (const Placed& p : placed) check.findings.push_back(p.finding);
    check.cutShort = !searchedAll;
    if (check.cutShort) return check;

    // Each solid's covers are taken away in drawing order: Boost's overlay rounds each
    // result to a grid of its own, so another order can differ in the last square millimetre.
    std::sort(covers.begin(), covers.end(), [&](const auto& a, const auto& b) {
        return std::pair{a.first, solids[a.second].line.offset} < std::pair{b.first, solids[b.second].line.offset};
    });
    // Where each covered solid's covers begin; the covered solids' seen areas, on every core.
    std::vector<std::size_t> firstCovers;
    for (std::size_t c = 0; c < covers.size(); ++c)
        if (c == 0 || covers[c].first != covers[c - 1].first) firstCovers.push_back(c);
    std::vector<double> coveredSeen(firstCovers.size());
    parallel::ForEach(firstCovers.size(), [&](std::size_t k) {
        const std::uint32_t covered = covers[firstCovers[k]].first;
        geo::Shape left = ShapeOf(OutlineOf(drawing, solids[covered]));
        for (std::size_t c = firstCovers[k]; c < covers.size() && covers[c].first == covered; ++c)
            left = Without(left, ShapeOf(OutlineOf(drawing, solids[covers[c].second])));
        coveredSeen[k] = AreaMm2(left) / 1e6;
    });
    // The rows' sums in reading order.
    std::size_t k = 0;
    for (std::size_t i = 0; i < solids.size(); ++i) {
        const Solid& s = solids[i];
        if (s.row == 0) continue;
        double seen = shapes[i].area;
        if (k < firstCovers.size() && covers[firstCovers[k]].first == i) seen = coveredSeen[k++];
        std::optional<double>& rowArea = check.seenAreas[static_cast<std::size_t>(s.row)];
        rowArea = rowArea.value_or(0.0) + seen;
    }
    return check;
}
