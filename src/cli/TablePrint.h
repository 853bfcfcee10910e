// The table as vemora-cli prints it: the rows OK draws or writes, with their colour, solid
// count, area, quantity, unit and name. Text is UTF-8.
//
//   row	colour	solids	area_m2	quantity	unit	name
//   1	255	2	15.25	15.250	m^2	居室
#pragma once

#include <string>

#include "exchange/SolidCheck.h"
#include "model/Table.h"
#include "output/TotalRows.h"

// Tab-separated: the header line, then one line per row that the table drawing draws or a
// rewrite writes (RowDrawn, or a row holding solid records, background-coloured ones
// included). The area has 12 significant digits and is empty for a row
// without a measured area. Tabs and line breaks inside texts become blanks. The total rows
// follow, with empty row, colour, solids and area fields and the name "合計". With `seen` (the
// settings count areas as seen) every line ends in a seen_m2 field: the row's seen area, empty
// for a row without one and for the total rows.
std::string TableTsv(const Table& table,
                     SolidColour background,
                     const std::vector<TotalRow>& totals = {},
                     bool seen = false);

// The same rows as JSON: {"title": ..., "rows": [{"row": 1, "colour": 255, "solids": 2,
// "area_m2": 15.25, "quantity": "15.250", "unit": "m^2", "name": "居室"}, ...]}, with
// "area_m2": null for a row without area. A total row has "total": true and null row, colour,
// solids and area. With `seen` every row has "seen_m2" (null where there is none).
std::string TableJson(const Table& table,
                      SolidColour background,
                      const std::string& title,
                      const std::vector<TotalRow>& totals = {},
                      bool seen = false);

// The findings of the solid check, tab-separated: a header line, then one line per finding;
// other_row is empty but for an overlap; x and y are drawing millimetres as in TEMP.TXT.
//
//   kind	row	other_row	area_m2	x	y
//   overlap	1	2	0.25	750	750
std::string FindingsTsv(const std::vector<Finding>& findings);

// The same as JSON: {"findings": [{"kind": "overlap", "row": 1, "other_row": 2,
// "area_m2": 0.25, "x": 750, "y": 750}, ...]}, "other_row": null but for an overlap.
std::string FindingsJson(const std::vector<Finding>& findings);
