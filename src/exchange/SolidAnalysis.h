// The solid figures of the exchange file: one table row per colour (at most 16), the area of
// every triangle and quadrilateral in square metres, and each row's kept record lines.
//
//   sl -2500 -1500 2500 -1500 2500 1500 -2500 1500    (a quadrilateral: 15 m²)
//   sl 2500 -1500 4000 -1500 2500 1500                (a triangle: 2.25 m²)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/Notifier.h"
#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "exchange/ExchangeReader.h"
#include "model/Table.h"

// The row of the colour among rows 1 .. firstFreeRow - 1, by the colours the rows were formed
// by (drawing.rowColours): the first match, or the last one when `lastMatch` (the two differ
// only when a previous table has two rows of the same colour). 0 when no row has the colour.
int FindRow(const Drawing& drawing, const Table& table, SolidColour colour, bool lastMatch);

// A measured solid figure (a triangle or quadrilateral "sl" record).
struct MeasuredSolid {
    double area = 0.0;     // m²
    double centreX = 0.0;  // label point, drawing mm
    double centreY = 0.0;
    bool crossed = false;  // a crossed quadrilateral, measured as its two lobes
};

// The corners of a triangle or quadrilateral "sl" record in the order given, drawing mm.
struct SolidOutline {
    int corners = 0;  // 3 or 4
    double x[4] = {}, y[4] = {};
};

// The corners of an "sl" record (the whole line, key included): 6 numbers after the key make
// a triangle, 8 a quadrilateral. nullopt for any other field count, for a field that is not a
// number and for a line without fields. Fields are split at single blanks, so a doubled or
// trailing blank makes an empty field, which is no number.
std::optional<SolidOutline> ReadSolidOutline(std::string_view line);

// A crossed quadrilateral (a bow-tie: corners clicked out of order) is two triangles that
// meet where its opposite edges cross. Jw_cad fills both.
struct CrossedLobes {
    double x[2][3] = {}, y[2][3] = {};  // drawing mm; corner 0 of each is the crossing
};

// The two lobes when two opposite edges of a quadrilateral cross inside both; nullopt for a
// triangle and for a quadrilateral whose edges only touch or do not meet.
std::optional<CrossedLobes> CrossingOf(const SolidOutline& outline);

// Area and label point of an "sl" record (ReadSolidOutline): the area of what Jw_cad fills,
// so a crossed quadrilateral gives the sum of its two lobes; the label point is the mean of
// the corners. nullopt where ReadSolidOutline gives none, and where the coordinates are so
// large (near 1e308 mm) that the area or the label point is not finite.
std::optional<MeasuredSolid> MeasureSolid(std::string_view line);
std::optional<MeasuredSolid> MeasureOutline(const SolidOutline& outline);

// What the load step keeps of a measured solid for the solid check: the box around its
// corners, its area and whether it is crossed.
MeasuredShape ShapeOfSolid(const SolidOutline& outline, const MeasuredSolid& solid);

// The shape of an "sl" record (the whole line); nullopt where MeasureSolid gives none.
std::optional<MeasuredShape> MeasureShape(std::string_view line);

// The list of a row that keeps a solid record's line.
enum class RecordList : std::uint8_t { Sl4, Sl, Sc, Se, So, Sg };
std::vector<LineRef>& ListOf(RowRecords& records, RecordList list);

// Where a solid record goes: its row, and the row's list that keeps its line (none for a
// circle-related solid where areas are measured, whose line is dropped). Eight bytes, so that
// it comes back in a register: one is taken for every solid.
struct SolidPlacement {
    int row = 0;
    std::optional<RecordList> list;
    bool stopsReading = false;  // the record cannot be kept: the reading ends before it
};

// A plain solid record's measure as the load step takes it, ahead of the walk over the file:
// its area in m² (NaN where the record does not measure) and its shape's index in the
// drawing's list of shapes, where the options keep them.
struct PlainSolidMeasure {
    double area = 0.0;
    std::uint32_t shape = 0;
};

// Takes one solid record ("sl", "sc", "se", "so" or "sg", key in either case) drawn in
// `colour`:
// - finds the row of the colour (first match for "sl", last match for the others) or adds
//   a row with both swatches in that colour, and makes it the current row;
// - "sl": counts it in the row's solid count; one that measures (a triangle or
//   quadrilateral) adds `measure.area` to the row and its line goes to the row's measured
//   list (and its shape's index to the row's, where the options keep shapes); the line of
//   any other "sl" goes to the unmeasured list (sl4), without area, so that a rewrite never
//   loses it;
// - "sc", "se", "so", "sg": where the options measure areas sets hasRoundFigures and the
//   line is dropped; otherwise it goes to the row's list of its kind.
// The caller keeps the line where the placement says. A colour that needs a 17th row shows
// "16色を越えました。" the first time. Where the options rewrite solids the result then stops
// the reading, as the solids could not all be written back. Otherwise the record is counted in
// the drawing's left-out solids and colours, not measured, and gets row 0: its line stays
// among the other lines.
SolidPlacement TakeSolidRecord(std::string_view line,
                               PlainSolidMeasure measure,
                               SolidColour colour,
                               const ReadOptions& options,
                               Table& table,
                               Drawing& drawing,
                               Notifier& notifier);

// The number of measured solids: the lines in the rows' measured lists.
std::size_t MeasuredSolidCount(const Table& table);

// Every measured solid in reading order (solid n of the annotations is element n - 1), from
// the rows' measured lists, wherever the rows have moved since. The figures are measured again
// from their kept lines rather than kept from the load step, where 24 bytes a solid would be
// a third of the memory it holds for a large drawing.
std::vector<MeasuredSolid> MeasuredSolids(const Table& table, const Drawing& drawing);
