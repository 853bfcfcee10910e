#include "exchange/SolidAnalysis.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "base/Memory.h"
#include "base/Numbers.h"

namespace {

constexpr std::string_view kColourLimitMessage = "16色を越えました。";

// Reads the number in the field that starts at `field` (before `end`) and returns the field's
// end: the next blank or the line's end; nullptr when the field is empty or not wholly a
// number. A plain decimal of at most 15 digits, as coordinates are, is read here in one walk
// over its characters: its digits as an integer and the power of ten are both exact doubles,
// so the one division rounds as ParseNumber rounds. Any other text goes to ParseNumber's own
// scanner. Signs and points are taken without branches, as they vary from field to field.
const char* ReadField(const char* field, const char* end, double& value) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const auto digit = [](char c) { return std::uint64_t{static_cast<unsigned char>(c)} - '0'; };
    const bool negative = *field == '-';
    const char* p = field + (negative ? 1 : 0);  // a "+" takes the general path
    const char* const first = p;
    std::uint64_t digits = 0;  // may wrap for long texts, which then take the general path
    for (std::uint64_t d; p != end && (d = digit(*p)) < 10; ++p)
        digits = digits * 10 + d;
    const char* const point = p;
    const int hasPoint = p != end && *p == '.' ? 1 : 0;
    p += hasPoint;
    for (std::uint64_t d; p != end && (d = digit(*p)) < 10; ++p)
        digits = digits * 10 + d;
    const std::ptrdiff_t count = p - first - hasPoint;
    if (count == 0 || count > 15 || (p != end && *p != ' ')) {
        const char* fieldEnd = std::find(p, end, ' ');
        return numbers::ScanNumber(field, fieldEnd, value) == fieldEnd ? fieldEnd : nullptr;
    }
    const auto magnitude =
        static_cast<double>(static_cast<std::int64_t>(digits)) / kPowersOfTen[p - point - hasPoint];
    value = std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) | std::uint64_t{negative} << 63);
    return p;
}

int AddRow(Table& table, Drawing& drawing, SolidColour colour) {
    int row = table.firstFreeRow++;
    PaintRow(table.Row(row), colour);
    drawing.rowColours[static_cast<std::size_t>(row)] = colour;
    return row;
}

}  // namespace

int FindRow(const Drawing& drawing, const Table& table, SolidColour colour, bool lastMatch) {
    int found = 0;
    for (int i = 1; i < table.firstFreeRow && i <= kRowCount; ++i) {
        if (drawing.rowColours[static_cast<std::size_t>(i)] != colour)
            continue;
        found = i;
        if (!lastMatch)
            break;
    }
    return found;
}

std::optional<SolidOutline> ReadSolidOutline(std::string_view line) {
    // The fields are read straight into the result, which every return names, so that no
    // outline is copied: a copy made just after the fields were stored waits on those stores.
    std::optional<SolidOutline> outline;
    const char* const end = line.data() + line.size();
    const char* field = std::find(line.data(), end, ' ');  // after the key
    if (field == end)
        return outline;
    SolidOutline& read = outline.emplace();
    int count = 0;
    do {
        ++field;  // the blank
        if (count == 8 || field == end ||
            !(field = ReadField(field, end, (count % 2 == 0 ? read.x : read.y)[count / 2]))) {
            outline.reset();
            return outline;
        }
        ++count;
    } while (field != end);
    if (count != 6 && count != 8)
        outline.reset();
    else
        read.corners = count / 2;
    return outline;
}

namespace {

// Twice the signed area of the triangle o, a, b: positive when it turns left.
double Turn(double ox, double oy, double ax, double ay, double bx, double by) {
    return (ax - ox) * (by - oy) - (ay - oy) * (bx - ox);
}

}  // namespace

std::optional<CrossedLobes> CrossingOf(const SolidOutline& o) {
    if (o.corners != 4)
        return std::nullopt;
    // Corners 1 and 3 on either side of the diagonal 0-2 keep every edge in its own half: no
    // crossing. That settles it at once for the convex solids nearly all are.
    const double side1 = Turn(o.x[0], o.y[0], o.x[2], o.y[2], o.x[1], o.y[1]);
    const double side3 = Turn(o.x[0], o.y[0], o.x[2], o.y[2], o.x[3], o.y[3]);
    if ((side1 > 0 && side3 < 0) || (side1 < 0 && side3 > 0))
        return std::nullopt;
    // Edges a0-a1 and b0-b1 cross where each has the other's ends strictly on either side.
    for (int first = 0; first < 2; ++first) {
        const int a0 = first, a1 = first + 1, b0 = first + 2, b1 = (first + 3) % 4;
        const double s0 = Turn(o.x[a0], o.y[a0], o.x[a1], o.y[a1], o.x[b0], o.y[b0]);
        const double s1 = Turn(o.x[a0], o.y[a0], o.x[a1], o.y[a1], o.x[b1], o.y[b1]);
        if (!((s0 > 0 && s1 < 0) || (s0 < 0 && s1 > 0)))
            continue;
        const double t0 = Turn(o.x[b0], o.y[b0], o.x[b1], o.y[b1], o.x[a0], o.y[a0]);
        const double t1 = Turn(o.x[b0], o.y[b0], o.x[b1], o.y[b1], o.x[a1], o.y[a1]);
        if (!((t0 > 0 && t1 < 0) || (t0 < 0 && t1 > 0)))
            continue;
        const double along = t0 / (t0 - t1);  // from a0 towards a1
        const double cx = o.x[a0] + (o.x[a1] - o.x[a0]) * along;
        const double cy = o.y[a0] + (o.y[a1] - o.y[a0]) * along;
        // One lobe lies between the crossing, a1 and b0; the other between b1, a0 and the crossing.
        return CrossedLobes{{{cx, o.x[a1], o.x[b0]}, {cx, o.x[b1], o.x[a0]}},
                            {{cy, o.y[a1], o.y[b0]}, {cy, o.y[b1], o.y[a0]}}};
    }
    return std::nullopt;
}

std::optional<MeasuredSolid> MeasureSolid(std::string_view line) {
    std::optional<SolidOutline> outline = ReadSolidOutline(line);
    return outline ? MeasureOutline(*outline) : std::nullopt;
}

std::optional<MeasuredSolid> MeasureOutline(const SolidOutline& outline) {
    // Millimetres to metres, as the areas are in square metres.
    double x[4], y[4];
    for (int i = 0; i < 4; ++i) {
        x[i] = outline.x[i] / 1000;
        y[i] = outline.y[i] / 1000;
    }
    MeasuredSolid solid;
    if (outline.corners == 3) {
        solid.area = std::fabs(x[0] * (y[1] - y[2]) + x[1] * (y[2] - y[0]) + x[2] * (y[0] - y[1])) / 2;
        solid.centreX = (x[0] + x[1] + x[2]) / 3 * 1000;
        solid.centreY = (y[0] + y[1] + y[2]) / 3 * 1000;
    } else {
        solid.area =
            std::fabs(x[0] * (y[1] - y[3]) + x[1] * (y[2] - y[0]) + x[2] * (y[3] - y[1]) + x[3] * (y[0] - y[2])) / 2;
        solid.centreX = (x[0] + x[1] + x[2] + x[3]) / 4 * 1000;
        solid.centreY = (y[0] + y[1] + y[2] + y[3]) / 4 * 1000;
        // The shoelace formula gives a bow-tie the difference of its lobes; Jw_cad fills both.
        if (std::optional<CrossedLobes> lobes = CrossingOf(outline)) {
            solid.crossed = true;
            solid.area = 0;
            for (int i = 0; i < 2; ++i)
                solid.area += std::fabs(Turn(lobes->x[i][0], lobes->y[i][0], lobes->x[i][1], lobes->y[i][1],
                                             lobes->x[i][2], lobes->y[i][2])) /
                              2e6;
        }
    }
    // Coordinates near the limits of double (1e308 mm) give no finite area: such a figure is
    // kept unmeasured rather than turning the row's total into infinity.
    if (!std::isfinite(solid.area) || !std::isfinite(solid.centreX) || !std::isfinite(solid.centreY))
        return std::nullopt;
    return solid;
}

MeasuredShape ShapeOfSolid(const SolidOutline& outline, const MeasuredSolid& solid) {
    SolidBox box{outline.x[0], outline.y[0], outline.x[0], outline.y[0]};
    for (int i = 1; i < outline.corners; ++i) {
        box.minX = std::min(box.minX, outline.x[i]);
        box.maxX = std::max(box.maxX, outline.x[i]);
        box.minY = std::min(box.minY, outline.y[i]);
        box.maxY = std::max(box.maxY, outline.y[i]);
    }
    return {box, solid.area, solid.crossed};
}

std::optional<MeasuredShape> MeasureShape(std::string_view line) {
    std::optional<SolidOutline> outline = ReadSolidOutline(line);
    std::optional<MeasuredSolid> solid = outline ? MeasureOutline(*outline) : std::nullopt;
    return solid ? std::optional(ShapeOfSolid(*outline, *solid)) : std::nullopt;
}

std::vector<LineRef>& ListOf(RowRecords& records, RecordList list) {
    switch (list) {
        case RecordList::Sl4:
            return records.sl4;
        case RecordList::Sl:
            return records.sl;
        case RecordList::Sc:
            return records.sc;
        case RecordList::Se:
            return records.se;
        case RecordList::So:
            return records.so;
        case RecordList::Sg:
            return records.sg;
    }
    assert(false && "no such list");
    return records.sl4;
}

SolidPlacement TakeSolidRecord(std::string_view line,
                               PlainSolidMeasure measure,
                               SolidColour colour,
                               const ReadOptions& options,
                               Table& table,
                               Drawing& drawing,
                               Notifier& notifier) {
    assert(line.size() >= 2);
    assert(table.firstFreeRow >= 1 && table.firstFreeRow <= kRowCount + 1);
    char kind = static_cast<char>(line[1] | 0x20);  // the key's second letter in lower case
    bool plain = kind == 'l';
    int row = FindRow(drawing, table, colour, !plain);
    if (row == 0) {
        if (table.firstFreeRow > kRowCount) {
            if (drawing.leftOutSolids == 0)
                ShowMessage(notifier, kColourLimitMessage, MessageIcon::Exclamation);
            if (options.rewritesSolids)
                return SolidPlacement{0, std::nullopt, true};
            if (std::find(drawing.leftOutColours.begin(), drawing.leftOutColours.end(), colour) ==
                drawing.leftOutColours.end())
                drawing.leftOutColours.push_back(colour);
            ++drawing.leftOutSolids;
            return SolidPlacement{0, std::nullopt};
        }
        row = AddRow(table, drawing, colour);
    }
    drawing.currentRow = row;

    if (plain) {
        TableRow& target = table.Row(row);
        ++target.solidCount;
        if (std::isnan(measure.area))
            return SolidPlacement{row, RecordList::Sl4};
        target.area = target.area.value_or(0.0) + measure.area;
        if (options.keepsShapes)
            memory::PushBackLarge(target.records.shapes, measure.shape);
        return SolidPlacement{row, RecordList::Sl};
    }
    if (options.measuresAreas) {
        drawing.hasRoundFigures = true;
        return SolidPlacement{row, std::nullopt};
    }
    switch (kind) {
        case 'c':
            return SolidPlacement{row, RecordList::Sc};
        case 'e':
            return SolidPlacement{row, RecordList::Se};
        case 'o':
            return SolidPlacement{row, RecordList::So};
        default:
            assert(kind == 'g' && "not a solid record");
            return SolidPlacement{row, RecordList::Sg};
    }
}

std::size_t MeasuredSolidCount(const Table& table) {
    std::size_t count = 0;
    for (int row = 1; row <= kRowCount; ++row)
        count += table.Row(row).records.sl.size();
    return count;
}

std::vector<MeasuredSolid> MeasuredSolids(const Table& table, const Drawing& drawing) {
    std::vector<LineRef> lines;
    lines.reserve(MeasuredSolidCount(table));
    for (int row = 1; row <= kRowCount; ++row) {
        const std::vector<LineRef>& sl = table.Row(row).records.sl;
        lines.insert(lines.end(), sl.begin(), sl.end());
    }
    std::sort(lines.begin(), lines.end(), [](LineRef a, LineRef b) { return a.offset < b.offset; });
    std::vector<MeasuredSolid> solids;
    solids.reserve(lines.size());
    for (LineRef line : lines) {
        std::optional<MeasuredSolid> solid = MeasureSolid(drawing.Text(line));
        assert(solid && "a measured list holds only lines that measure");
        if (solid)
            solids.push_back(*solid);
    }
    return solids;
}
