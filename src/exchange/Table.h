// The sixteen table rows and the row arrays kept beside them: what the exchange reader
// fills, the editor changes, and the outputs and item tables read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/SolidColour.h"

constexpr int kRowCount = 16;

// A kept record line: its original bytes (without the line end) inside Drawing::bytes.
// Eight bytes, so that a million kept lines cost 8 MB: files up to 4 GiB.
struct LineRef {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// The six lists of kept solid records of a row, in file order; they move with the row when
// rows are exchanged.
struct RowRecords {
    std::vector<LineRef> sl4;  // "sl" records that are not measured (4 numbers, or unusable)
    std::vector<LineRef> sl;   // measured "sl" records (triangles, quadrilaterals)
    std::vector<LineRef> sc, se, so, sg;  // circle-related solids (not kept in modes 1 and 2)

    bool Empty() const { return sl4.empty() && sl.empty() && sc.empty() && se.empty() && so.empty() && sg.empty(); }
};

// One row of the table: what its controls show and what belongs to it. Everything here moves
// with the row when rows are exchanged, but the mode marks of its swatches.
struct TableRow {
    SolidColour left = 0;        // left swatch colour: the row's colour
    SolidColour right = 0;       // right swatch colour: the new colour in colour-change mode
    std::string leftTip, rightTip;  // swatch tooltips: ColourRgbText, or empty for an empty swatch
    std::string leftCaption, rightCaption;  // mode marks ("→", "↑", hex layer digits, ...)
    std::string name;            // item name (in the layer-name modes, the layer name)
    std::string quantity;        // quantity text as shown
    std::string unit;            // unit caption: the unit entry up to its first comma
    std::string unitEntry;       // the whole unit entry ("m^2,1"), the unit label's tooltip
    double factor = 1.0;         // area -> quantity multiplier, from the unit entry
    std::optional<double> area;  // m² of the measured solids; empty until one is added
    std::int64_t solidCount = 0;  // "sl" records of the row's colour
    RowRecords records;
};

// The rows and the row-indexed values of the load step. Index 0 is unused; rows are 1..16.
struct Table {
    std::array<TableRow, kRowCount + 1> rows{};
    std::array<SolidColour, 2 * kRowCount + 2> rowColours{};  // RowColours: 1..16, 17..32 mirror
    std::array<std::string, kRowCount + 1> rowUnits{};  // RowUnits: unit as last loaded from an item table
    int nextRow = 1;  // rows filled by the analysis or the item table + 1 (1..17)

    TableRow& Row(int i) { return rows[static_cast<std::size_t>(i)]; }
    const TableRow& Row(int i) const { return rows[static_cast<std::size_t>(i)]; }
};

// Is row i (1..16) in use: a name, or a left swatch that is not the background colour.
inline bool RowInUse(const TableRow& row, SolidColour background) {
    return !row.name.empty() || row.left != background;
}
