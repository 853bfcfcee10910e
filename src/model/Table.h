// The sixteen table rows: what the exchange reader measures, the user edits, and the outputs
// and item tables read.
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
    std::vector<LineRef> sc, se, so, sg;  // circle-related solids (not kept where areas are measured)
    // Beside `sl`, element for element, where the load step keeps the measured records' shapes
    // for the solid check: the index of each record's shape among the drawing's; otherwise empty.
    std::vector<std::uint32_t> shapes;

    bool Empty() const { return sl4.empty() && sl.empty() && sc.empty() && se.empty() && so.empty() && sg.empty(); }
};

// One row of the table and everything that belongs to it; it all moves with the row when
// rows are exchanged. Display texts (the unit caption, swatch tooltips and marks) are derived
// where they are shown.
struct TableRow {
    SolidColour colour = 0;     // the row's colour: of its solids, its left swatch and its sample
    SolidColour newColour = 0;  // the right swatch: the colour the colour change gives its solids
    std::string name;           // item name (in the layer-name modes, the layer name)
    std::string quantity;       // quantity text as shown and drawn: computed, or typed
    std::string unitEntry;      // the unit entry as the list file writes it: "m^2,1", "坪,0.3025"
    double factor = 1.0;        // area -> quantity multiplier, from the unit entry
    std::optional<double> area;  // m² of the measured solids; empty until one is added
    // Where the settings count areas as seen: the part of the measured solids that no solid
    // drawn above covers, which the quantity then counts; empty otherwise.
    std::optional<double> seenArea;
    std::int64_t solidCount = 0;  // "sl" records of the row's colour
    RowRecords records;
};

// The rows. Index 0 is unused; rows are 1..16.
struct Table {
    std::array<TableRow, kRowCount + 1> rows{};
    int firstFreeRow = 1;  // rows filled by the analysis or the item table + 1 (1..17)

    TableRow& Row(int i) { return rows[static_cast<std::size_t>(i)]; }
    const TableRow& Row(int i) const { return rows[static_cast<std::size_t>(i)]; }
};

// The area the row's quantity counts: as seen where that is asked for, else as measured.
inline std::optional<double> CountedArea(const TableRow& row) {
    return row.seenArea ? row.seenArea : row.area;
}

// Is the row in use: a name, or a colour that is not the background colour.
inline bool RowInUse(const TableRow& row, SolidColour background) {
    return !row.name.empty() || row.colour != background;
}

// Both swatches of the row in the colour.
inline void PaintRow(TableRow& row, SolidColour colour) {
    row.colour = row.newColour = colour;
}

// Exchanges rows s and t (1..16) whole.
void ExchangeRows(Table& table, int s, int t);
