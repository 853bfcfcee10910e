#include "exchange/SolidCheck.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <utility>

#include "exchange/BoostGeometry.h"
#include "exchange/SolidAnalysis.h"

namespace {

using geo::bg::get;

constexpr double kToleranceMm2 = kCheckTolerance * 1e6;

// What the search keeps of a measured solid; its outline is read again from its line where a
// pair needs it, which is rare.
struct Solid {
    geo::Box box;
    double area = 0.0;  // m², as measured
    LineRef line;       // in file order: the drawing order
    int row = 0;
    bool usable = false;  // takes part in the overlap search
};

SolidOutline OutlineOf(const Drawing& drawing, const Solid& solid) {
    std::optional<SolidOutline> outline = ReadSolidOutline(drawing.Text(solid.line));
    assert(outline && "a measured list holds only lines that measure");
    return outline.value_or(SolidOutline{});
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

geo::Box BoxOf(const SolidOutline& outline) {
    double x0 = outline.x[0], x1 = x0, y0 = outline.y[0], y1 = y0;
    for (int i = 1; i < outline.corners; ++i) {
        x0 = std::min(x0, outline.x[i]);
        x1 = std::max(x1, outline.x[i]);
        y0 = std::min(y0, outline.y[i]);
        y1 = std::max(y1, outline.y[i]);
    }
    return {{x0, y0}, {x1, y1}};
}

double SharedBoxArea(const geo::Box& a, const geo::Box& b) {
    const double w = std::min(get<geo::bg::max_corner, 0>(a), get<geo::bg::max_corner, 0>(b)) -
                     std::max(get<geo::bg::min_corner, 0>(a), get<geo::bg::min_corner, 0>(b));
    const double h = std::min(get<geo::bg::max_corner, 1>(a), get<geo::bg::max_corner, 1>(b)) -
                     std::max(get<geo::bg::min_corner, 1>(a), get<geo::bg::min_corner, 1>(b));
    return w > 0 && h > 0 ? w * h : 0.0;
}

// A convex outline (every corner turning the same way) is a valid polygon as it stands;
// others are asked of Boost, which refuses spikes and self-touching rings.
// Boost's exact overlay rescales coordinates to 64-bit integers, which coordinates beyond a
// million kilometres would overflow: such solids are measured but kept away from Boost.
bool WithinBoostRange(const SolidOutline& outline) {
    constexpr double kLimitMm = 1e12;
    for (int i = 0; i < outline.corners; ++i)
        if (!(std::fabs(outline.x[i]) <= kLimitMm && std::fabs(outline.y[i]) <= kLimitMm)) return false;
    return true;
}

bool Usable(const SolidOutline& outline, bool crossed) {
    if (!WithinBoostRange(outline)) return false;
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
geo::Shape Shared(const geo::Shape& a, const geo::Shape& b) {
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

}  // namespace

std::string_view FindingWord(FindingKind kind) {
    switch (kind) {
        case FindingKind::Crossed:
            return "crossed";
        case FindingKind::Empty:
            return "empty";
        case FindingKind::Overlap:
            return "overlap";
    }
    assert(false && "no such finding");
    return {};
}

SolidCheck CheckSolids(const Table& table, const Drawing& drawing, bool reverseOrder) {
    SolidCheck check;
    std::vector<std::size_t> ownSolid;  // the solid of each crossed and empty finding
    std::vector<Solid> solids;
    solids.reserve(MeasuredSolidCount(table));
    // The rows' lists are each in file order: merged, they give the drawing order.
    std::array<std::size_t, kRowCount + 1> next{};
    for (;;) {
        int row = 0;
        for (int r = 1; r <= kRowCount; ++r) {
            const std::vector<LineRef>& sl = table.Row(r).records.sl;
            const std::size_t at = next[static_cast<std::size_t>(r)];
            if (at < sl.size() && (row == 0 || sl[at].offset < table.Row(row).records.sl[next[static_cast<std::size_t>(row)]].offset))
                row = r;
        }
        if (row == 0) break;
        const LineRef line = table.Row(row).records.sl[next[static_cast<std::size_t>(row)]++];
        std::optional<SolidOutline> outline = ReadSolidOutline(drawing.Text(line));
        std::optional<MeasuredSolid> measured = outline ? MeasureOutline(*outline) : std::nullopt;
        assert(measured && "a measured list holds only lines that measure");
        if (!measured) continue;
        const bool crossed = CrossingOf(*outline).has_value();
        if (crossed) {
            const geo::Point inside = WithinBoostRange(*outline) ? InsidePoint(ShapeOf(*outline))
                                                                 : geo::Point(measured->centreX, measured->centreY);
            check.findings.push_back({FindingKind::Crossed, row, 0, measured->area, inside.x(), inside.y()});
            ownSolid.push_back(solids.size());
        }
        if (measured->area < kCheckTolerance) {
            check.findings.push_back({FindingKind::Empty, row, 0, measured->area, measured->centreX, measured->centreY});
            ownSolid.push_back(solids.size());
        }
        solids.push_back({BoxOf(*outline), measured->area, line, row,
                          measured->area >= kCheckTolerance && Usable(*outline, crossed)});
    }

    using Entry = std::pair<geo::Box, std::uint32_t>;
    std::vector<Entry> entries;
    entries.reserve(solids.size());
    for (std::size_t i = 0; i < solids.size(); ++i)
        if (solids[i].usable) entries.emplace_back(solids[i].box, static_cast<std::uint32_t>(i));
    // Built from the whole range, the tree is packed in n log n.
    const geo::bgi::rtree<Entry, geo::bgi::quadratic<16>> tree(entries.begin(), entries.end());

    // Pairs of a solid and one drawn above it that covers part of it.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> covers;
    std::vector<std::uint32_t> hits;
    std::vector<std::pair<std::uint32_t, geo::Shape>> overlaps;
    std::vector<std::size_t> overlapFindings(solids.size() + 1, 0);  // where each solid's overlaps go
    std::vector<Finding> overlapList;
    for (std::size_t i = 0; i < solids.size(); ++i) {
        const Solid& s = solids[i];
        overlapFindings[i] = overlapList.size();
        if (!s.usable) continue;
        // Boxes that only touch, or share less than the tolerance, hold no overlap.
        hits.clear();
        tree.query(geo::bgi::intersects(s.box), boost::make_function_output_iterator([&](const Entry& hit) {
                       if (hit.second > i && SharedBoxArea(s.box, hit.first) > kToleranceMm2) hits.push_back(hit.second);
                   }));
        if (hits.empty()) continue;
        overlaps.clear();
        const geo::Shape shape = ShapeOf(OutlineOf(drawing, s));
        for (std::uint32_t j : hits) {
            geo::Shape shared = Shared(shape, ShapeOf(OutlineOf(drawing, solids[j])));
            if (AreaMm2(shared) > kToleranceMm2) overlaps.emplace_back(j, std::move(shared));
        }
        std::sort(overlaps.begin(), overlaps.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [j, shared] : overlaps) {
            geo::Point inside = InsidePoint(shared);
            overlapList.push_back(
                {FindingKind::Overlap, s.row, solids[j].row, AreaMm2(shared) / 1e6, inside.x(), inside.y()});
            // Later solids are drawn above earlier ones, unless the order is reversed.
            const auto lower = static_cast<std::uint32_t>(i);
            covers.push_back(reverseOrder ? std::pair{j, lower} : std::pair{lower, j});
        }
    }
    overlapFindings[solids.size()] = overlapList.size();
    // Each solid's crossed and empty findings come before its overlaps.
    if (!overlapList.empty()) {
        std::vector<Finding> merged;
        merged.reserve(check.findings.size() + overlapList.size());
        std::size_t own = 0;
        for (std::size_t i = 0; i < solids.size(); ++i) {
            for (; own < ownSolid.size() && ownSolid[own] == i; ++own) merged.push_back(check.findings[own]);
            merged.insert(merged.end(), overlapList.begin() + static_cast<std::ptrdiff_t>(overlapFindings[i]),
                          overlapList.begin() + static_cast<std::ptrdiff_t>(overlapFindings[i + 1]));
        }
        check.findings = std::move(merged);
    }

    std::sort(covers.begin(), covers.end());
    std::size_t c = 0;
    for (std::size_t i = 0; i < solids.size(); ++i) {
        const Solid& s = solids[i];
        double seen = s.area;
        if (c < covers.size() && covers[c].first == i) {
            geo::Shape left = ShapeOf(OutlineOf(drawing, s));
            for (; c < covers.size() && covers[c].first == i; ++c)
                left = Without(left, ShapeOf(OutlineOf(drawing, solids[covers[c].second])));
            seen = AreaMm2(left) / 1e6;
        }
        std::optional<double>& rowArea = check.seenAreas[static_cast<std::size_t>(s.row)];
        rowArea = rowArea.value_or(0.0) + seen;
    }
    return check;
}
