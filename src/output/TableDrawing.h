// The area table the table modes draw into the coordinate file: ruled lines, the title,
// one line of texts and a two-coloured sample per used row, the annotations at the
// measured solids and the closing message line.
//
//   ch 26 -6 1 0 "  壁
//   sl 12 -6 12 -2 22 -2 22 -6
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "model/Table.h"
#include "output/RecordWriter.h"
#include "settings/TableSettings.h"

// Row i (1..16) takes a place in the drawn table: it has a name or a coloured left swatch,
// or, coloured like the background, it holds measured solids and shows their quantity (a
// white masking solid on a white background must not drop out of the totals).
bool RowDrawn(const Table& table, int i, SolidColour background);
// The number of rows drawn (DrawnRowCount of the table modes).
int DrawnRowCount(const Table& table, SolidColour background);

// Widest texts over all 16 rows: quantity in characters; name and unit in code page 932
// bytes without "^u".
int WidestQuantity(const Table& table);
int MaxNameWidth(const Table& table);
int MaxUnitWidth(const Table& table, bool layerNameTable);

// The unit column's text of a row: the unit caption of its entry, or in the layer-name table
// the whole layer name.
std::string_view UnitColumnText(const TableRow& row, bool layerNameTable);

// The numbers the table is drawn with, read from the settings and the drawing's header.
struct TableMetrics {
    int textType = 0;  // the text type the table is written in
    float gapH = 0.0f;
    float gapW = 0.0f;
    float solidW = 0.0f;
    double textWidth = 0.0;  // the sizes of the text type, as the header records give them
    double textHeight = 0.0;
    double textSpacing = 0.0;
    int areaDigits = 0;  // decimals of the area annotations
};

struct MetricsResult {
    std::optional<TableMetrics> metrics;
    std::string error;  // when there are no metrics: which setting is unusable (UTF-8 message)
};

// gapHeight, gapWidth and sampleWidth must be numbers, the text type (textType, or the drawing's
// current text type when textType is empty) must have sizes in the header, and rounding must be
// an integer when areas are annotated. Otherwise the result names the setting at fault.
MetricsResult ReadTableMetrics(const TableSettings& settings, const Drawing& drawing);

// Everything a table drawing reads besides the rows.
struct TableSource {
    const Drawing* drawing = nullptr;
    const TableSettings* settings = nullptr;
    SolidColour background = kWhite;
    bool layerNameTable = false;  // layer names: no quantity column, all 16 rows
};

// Appends the table drawing, from the "#" line to the message line: the annotations at the
// measured solids, "bz", the table's elements (LayOutTable) and the message line, which counts
// the colour rows (all 16 in the layer-name table).
void DrawTable(const Table& table,
               std::string_view title,
               const TableSource& source,
               const TableMetrics& metrics,
               RecordWriter& out);
