// What the OK command writes besides the area table: the rewritten solids of modes 3, 4
// and 5 (the result file) and the layer-name records of modes 6 and 7 (the coordinate file).
//
//   lg0
//   ly0
//   lyn壁
#pragma once

#include <string>
#include <string_view>

#include "base/ModeCode.h"
#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "exchange/Table.h"
#include "output/RecordWriter.h"

// Does the selector pick layer group `group` (1..16, digit "0".."F")? "*" picks all;
// otherwise the selector is a comma-separated list of bracket-expression contents
// (single characters, ranges such as 0-3, a leading ^ negating the set), matched without
// regard to case. An element that is no valid bracket content matches nothing: an empty
// element, a lone "^", a reversed range (f-0), or any "[", "]" or "\" (no escapes).
bool LayerGroupMatches(std::string_view selector, int group);

// Modes 3, 4, 5: "hd", the kept lines, then the solids row by row with their new colour
// (mode 3), their layer and colour (mode 4) or their colour in table order (mode 5). A row
// holding kept records is always written, whatever its colour.
void WriteRewrite(const Table& table, const Drawing& drawing, SolidColour background, ModeCode mode, RecordWriter& out);

// Mode 6: per selected layer group, the names of the named rows, then the closing text.
void WriteLayerNames(const Table& table, std::string_view selector, RecordWriter& out);

// Mode 7: prefixes the title with "レイヤグループ:" and selects the groups with the
// prefixed text; per selected group all 16 layer names. When a group was selected the
// rows become the layer-name table: name "レイヤ" + the left swatch's caption, unit the
// layer name. Ends with the message line; the table is drawn after it.
void WriteExternalLayerNames(Table& table, std::string& title, RecordWriter& out);
