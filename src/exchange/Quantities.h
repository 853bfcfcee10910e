// The rows' units and quantities: the default unit entry (the Tani setting, "m^2,1"), the
// rounding of quantities to the Keta setting's digits, and the end-of-file step of the
// exchange reading that applies both.
//
// Choices where the settings hold no usable value (the program never stops over them):
// - a Keta text that is not a number rounds as Keta 0 (whole numbers, no decimals);
// - a unit entry (the Tani setting, a stored or a typed one) without a comma, or whose factor
//   is empty, not a number or 0, gives factor 1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/ModeCode.h"
#include "base/Notifier.h"
#include "exchange/Drawing.h"
#include "exchange/Table.h"

// The unit and the factor of a unit entry "unit,factor[,...]": the unit is the text up to the
// first comma, the factor the second piece (blanks and tabs around it ignored).
struct UnitEntry {
    std::string unit;
    double factor = 1.0;
};
UnitEntry SplitUnitEntry(std::string_view entry);

// The Keta text as a number; 0 when it is not one.
double KetaValue(std::string_view keta);

// floor(value * 10^digits + 0.5) / 10^digits: half up at `digits` decimals; negative digits
// round to tens, hundreds, and so on. Digits beyond what a double can scale leave the value
// as it is (many decimals) or give 0 (rounding to a power of ten beyond any value).
double RoundedQuantity(double value, double digits);

// The quantity text of a row: "-" without an area, otherwise area * factor rounded to the
// Keta digits and formatted with them (decimals only for Keta 1 to 4).
std::string QuantityText(std::optional<double> area, double factor, std::string_view keta);

// The default-unit rule: every row 1 .. nextRow - 1 whose unit entry is empty gets the unit
// and factor of `tani` (caption = the unit, entry = the whole text). A row with an entry
// keeps it, even when its unit part is empty (",3" keeps factor 3).
void ApplyDefaultUnit(Table& table, std::string_view tani);

// Shows the quantity of every row 1 .. nextRow - 1 ("-" for a row without area).
void ShowQuantities(Table& table, std::string_view keta);

// A row with an area whose quantity text is a number gets its quantity again from the area,
// its factor and the Keta digits. Other texts ("-", empty, words) stay, and so does a number
// the user typed into a row without area.
void RecomputeQuantity(TableRow& row, std::string_view keta);

// A pick in the rounding list: RecomputeQuantity for rows 1..16.
void RecomputeQuantities(Table& table, std::string_view keta);

// A unit entry committed for a row: its caption, the entry and the factor it gives, and the
// quantity recomputed with the Keta digits (RecomputeQuantity). An empty entry gives factor 1.
void SetUnitEntry(TableRow& row, std::string_view entry, std::string_view keta);

// The end of the exchange reading (every mode but 7, where it does nothing): warns about
// circle-related solids, applies the default unit, shows the quantities, reports a file
// without any solid record, and tells how many solids of how many colours found no row.
void FinishReading(ModeCode mode,
                   const Drawing& drawing,
                   Table& table,
                   std::string_view tani,
                   std::string_view keta,
                   Notifier& notifier);
