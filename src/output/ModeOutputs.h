// What the OK command writes besides the area table: the rewritten solids (the result file)
// and the layer-name records (the coordinate file).
//
//   lg0
//   ly0
//   lyn壁
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "exchange/SolidCheck.h"
#include "model/Table.h"
#include "output/RecordWriter.h"
#include "settings/TableSettings.h"

// Does the selector pick layer group `group` (1..16, digit "0".."F")? "*" picks all;
// otherwise the selector is a comma-separated list of bracket-expression contents
// (single characters, ranges such as 0-3, a leading ^ negating the set), matched without
// regard to case. An element that is no valid bracket content matches nothing: an empty
// element, a lone "^", a reversed range (f-0), or any "[", "]" or "\" (no escapes).
bool LayerGroupMatches(std::string_view selector, int group);

// How the selected solids come back to Jw_cad.
enum class RewriteKind {
    Recolour,           // each row's solids in its new colour
    LayerDistribution,  // row p's solids on layer p - 1 ("ly0".."lyF")
    DrawOrder,          // the solids in table order
};

// Takes the result file's lines one by one, in order, each without its line end.
using LineOutput = std::function<void(std::string_view line)>;

// The result file: "hd", the kept lines, then the solids row by row with their new colour,
// their layer and colour, or their colour in table order. A row holding kept records is
// always written, whatever its colour. Every line is a kept line as read or plain ASCII, so
// the lines go out as bytes without conversion: the file is as large as the drawing and is
// best written as it is made.
void WriteRewrite(const Table& table, const Drawing& drawing, SolidColour background, RewriteKind kind,
                  const LineOutput& out);
// The same into a RecordWriter.
void WriteRewrite(const Table& table, const Drawing& drawing, SolidColour background, RewriteKind kind,
                  RecordWriter& out);

// The solid check's result file: "hd", every line but the header records exactly as Jw_cad
// sent it and in its order (each figure comes back on its own layer and colour), then the
// markers on the settings' layer and colour in solid lines. Each finding gets a circle around
// its point, as large as the finding's area but at least 5 mm on paper at the scale in force
// (1/100 when unknown), and a text at the point:
//
//   ci 500 500 283
//   ch 500 500 1 0 "重なり 0.250㎡    ("ねじれ 1.000㎡" for a crossed solid, "面積0" for an empty one)
void WriteCheckResult(const Drawing& drawing, const std::vector<Finding>& findings, const TableSettings& settings,
                      const LineOutput& out);

// Layer names set directly: per selected layer group, the names of the named rows, then the
// closing text.
void WriteLayerNames(const Table& table, std::string_view selector, RecordWriter& out);

// Layer names through the coordinate file: prefixes the title with "レイヤグループ:" and
// selects the groups with the prefixed text; per selected group all 16 layer names. When a
// group was selected the rows become the layer-name table: name "レイヤ" and the layer digit,
// unit entry the layer name (the table drawing shows it whole). Ends with the message line;
// the table is drawn after it.
void WriteExternalLayerNames(Table& table, std::string& title, RecordWriter& out);
