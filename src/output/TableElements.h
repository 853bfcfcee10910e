// The area table as drawing elements in paper millimetres, laid out once from the rows and
// the settings: the record writer turns them into the Jw_cad records of the coordinate file,
// the preview and the SVG draw them. The table's top-left corner is (0, 0); y grows upwards,
// so the rows lie at negative y, and the title stands above the table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/SolidColour.h"
#include "model/Table.h"
#include "output/RecordWriter.h"
#include "output/TableDrawing.h"
#include "settings/TableSettings.h"

// The three groups of ruled lines, each with its own switch, colour, layer and line type.
enum class RuleGroup { OuterFrame, Vertical, Horizontal };
constexpr int kRuleGroups = 3;

struct RuleSettings {
    bool on = false;
    std::string_view colour, layer, lineType;  // the attribute records: "lc5", "ly9", "lt1"
};
RuleSettings RuleSettingsOf(const TableSettings& settings, RuleGroup group);

struct RuledLine {
    RuleGroup group = RuleGroup::OuterFrame;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
};

// A text in the table's text type; its reference point is the lower left of the text.
struct TableText {
    float x = 0.0f, y = 0.0f;
    std::string text;  // as written: fill blanks and "^u" codes included
};

// A row's colour sample: a rectangle split at its middle, the left half in the row's colour,
// the right half in its right swatch's colour.
struct ColourSample {
    float left = 0.0f, right = 0.0f, bottom = 0.0f, top = 0.0f;
    double middle = 0.0;  // half the swatch column, kept in double precision as written
    SolidColour leftColour = 0, rightColour = 0;
};

struct TableElementRow {
    std::vector<TableText> texts;  // the name (unless blank), the quantity, the unit
    std::optional<ColourSample> sample;
};

struct TableElements {
    TableMetrics metrics;  // every text is in metrics.textType, of its width, height and spacing
    float width = 0.0f, height = 0.0f;
    std::vector<RuledLine> rules;       // the outer frame (round from the origin), vertical, horizontal lines
    TableText title;                    // placed at (1, 1), above the table
    std::vector<TableElementRow> rows;  // the drawn rows packed from the top, then the total rows
};

// Lays the table out: drawn rows (RowDrawn) packed from the top, or in the layer-name table
// all 16 places without a quantity column; where the total-row setting is on (not in the
// layer-name table) the total rows follow, and the columns are wide enough for them too.
TableElements LayOutTable(const Table& table,
                          std::string_view title,
                          const TableSource& source,
                          const TableMetrics& metrics);

// The elements as the records of the coordinate file, from the ruled lines to the last row:
//
//   lc5
//   ly9
//   lt1
//   r1
//   0 -16
//   ...
//   ch 26 -6 1 0 "  壁
void WriteTableElements(const TableElements& elements, const TableSettings& settings, RecordWriter& out);
