#include "exchange/SolidCheck.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <utility>

#include "exchange/BoostGeometry.h"
#include "exchange/SolidAnalysis.h"

namespace {

using geo::bg::get;

constexpr double kToleranceMm2 = kCheckTolerance * 1e6;

struct Solid {
    std::uint32_t offset = 0;  // in the file: the drawing order
    int row = 0;
    SolidOutline outline;
    double area = 0.0;  // m², as measured
    bool crossed = false;
    bool usable = false;  // takes part in the overlap search
};

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
    geo::Point point;
    geo::bg::centroid(*largest, point);
    if (!geo::bg::within(point, *largest)) geo::bg::point_on_surface(*largest, point);
    return point;
}

double AreaMm2(const geo::Shape& shape) { return std::fabs(geo::bg::area(shape)); }

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
    std::vector<Solid> solids;
    solids.reserve(MeasuredSolidCount(table));
    for (int row = 1; row <= kRowCount; ++row) {
        for (LineRef line : table.Row(row).records.sl) {
            std::optional<SolidOutline> outline = ReadSolidOutline(drawing.Text(line));
            std::optional<MeasuredSolid> measured = outline ? MeasureOutline(*outline) : std::nullopt;
            assert(measured && "a measured list holds only lines that measure");
            if (!measured) continue;
            solids.push_back({line.offset, row, *outline, measured->area, CrossingOf(*outline).has_value(), false});
        }
    }
    std::sort(solids.begin(), solids.end(), [](const Solid& a, const Solid& b) { return a.offset < b.offset; });

    SolidCheck check;
    using Entry = std::pair<geo::Box, std::uint32_t>;
    std::vector<Entry> entries;
    entries.reserve(solids.size());
    for (std::size_t i = 0; i < solids.size(); ++i) {
        Solid& s = solids[i];
        s.usable = s.area >= kCheckTolerance && Usable(s.outline, s.crossed);
        if (s.usable) entries.emplace_back(BoxOf(s.outline), static_cast<std::uint32_t>(i));
    }
    // Built from the whole range, the tree is packed in n log n.
    const geo::bgi::rtree<Entry, geo::bgi::quadratic<16>> tree(entries.begin(), entries.end());

    // For each solid, the solids drawn above it that cover part of it.
    std::vector<std::vector<std::uint32_t>> coveredBy(solids.size());
    std::vector<Entry> hits;
    std::vector<std::pair<std::uint32_t, geo::Shape>> overlaps;
    for (std::size_t i = 0; i < solids.size(); ++i) {
        const Solid& s = solids[i];
        if (s.crossed) {
            geo::Point inside = InsidePoint(ShapeOf(s.outline));
            check.findings.push_back({FindingKind::Crossed, s.row, 0, s.area, inside.x(), inside.y()});
        }
        if (s.area < kCheckTolerance) {
            std::optional<MeasuredSolid> measured = MeasureOutline(s.outline);
            check.findings.push_back({FindingKind::Empty, s.row, 0, s.area, measured->centreX, measured->centreY});
        }
        if (!s.usable) continue;

        const geo::Box box = BoxOf(s.outline);
        hits.clear();
        tree.query(geo::bgi::intersects(box), std::back_inserter(hits));
        overlaps.clear();
        geo::Shape shape;
        for (const Entry& hit : hits) {
            if (hit.second <= i || SharedBoxArea(box, hit.first) <= kToleranceMm2) continue;
            if (shape.empty()) shape = ShapeOf(s.outline);
            geo::Shape shared;
            geo::bg::intersection(shape, ShapeOf(solids[hit.second].outline), shared);
            if (AreaMm2(shared) > kToleranceMm2) overlaps.emplace_back(hit.second, std::move(shared));
        }
        std::sort(overlaps.begin(), overlaps.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [j, shared] : overlaps) {
            geo::Point inside = InsidePoint(shared);
            check.findings.push_back(
                {FindingKind::Overlap, s.row, solids[j].row, AreaMm2(shared) / 1e6, inside.x(), inside.y()});
            // Later solids are drawn above earlier ones, unless the order is reversed.
            if (reverseOrder)
                coveredBy[j].push_back(static_cast<std::uint32_t>(i));
            else
                coveredBy[i].push_back(j);
        }
    }

    for (std::size_t i = 0; i < solids.size(); ++i) {
        const Solid& s = solids[i];
        double seen = s.area;
        if (!coveredBy[i].empty()) {
            geo::Shape left = ShapeOf(s.outline);
            for (std::uint32_t j : coveredBy[i]) {
                geo::Shape rest;
                geo::bg::difference(left, ShapeOf(solids[j].outline), rest);
                left = std::move(rest);
            }
            seen = AreaMm2(left) / 1e6;
        }
        std::optional<double>& rowArea = check.seenAreas[static_cast<std::size_t>(s.row)];
        rowArea = rowArea.value_or(0.0) + seen;
    }
    return check;
}
