// The total rows that end the area table when the total-row setting is on: one "合計" per
// unit, adding up the quantities as the rows show them, so the column adds up on paper.
//
//   事務室   84.000  m^2
//   合計    558.000  m^2
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/SolidColour.h"
#include "model/Table.h"
#include "settings/TableSettings.h"

inline constexpr std::string_view kTotalName = "合計";

struct TotalRow {
    std::string unit;      // the unit caption as the rows show it; "" for the rows without one
    std::string quantity;  // the sum, with thousands separators
};

// Where the total-row setting is on, one total per unit caption of the drawn rows (RowDrawn),
// in the order the units first appear; none where it is off. Only quantity texts that are numbers count ("-", empty
// texts and words are left out); a unit none of whose rows shows a number gets no total. Each text is added as shown,
// and the sum is shown with the most decimals of its texts (at most 4): 12.34 + 0.01 = 12.35.
// Rows without a unit share a total without a unit.
std::vector<TotalRow> TotalRows(const Table& table, const TableSettings& settings, SolidColour background);
