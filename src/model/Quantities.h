// The rows' units and quantities: unit entries ("m^2,1"), the default unit, and the rounding
// of quantities to the rounding setting's digits.
//
// Choices where the settings hold no usable value (the program never stops over them):
// - a rounding text that is not a number rounds as rounding 0 (whole numbers, no decimals);
// - a unit entry (the defaultUnit setting, a stored or a typed one) without a comma, or whose factor
//   is empty, not a number or 0, gives factor 1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Table.h"

// A unit entry "unit,factor[,...]": the unit caption is the text up to the first comma, the
// factor the second piece (blanks and tabs around it ignored).
std::string_view UnitCaption(std::string_view entry);
double UnitFactor(std::string_view entry);

// The rounding text as a number; 0 when it is not one.
double RoundingDigits(std::string_view rounding);

// floor(value * 10^digits + 0.5) / 10^digits: half up at `digits` decimals; negative digits
// round to tens, hundreds, and so on. Digits beyond what a double can scale leave the value
// as it is (many decimals) or give 0 (rounding to a power of ten beyond any value).
double RoundedQuantity(double value, double digits);

// A shown quantity text as a number: sign, digits, thousands separators, decimals, blanks
// around ("1,234.50" gives 1234.5); nullopt for "-", an empty text or words.
std::optional<double> ShownQuantity(std::string_view text);

// The quantity text of an area (a row's CountedArea): "-" without an area, otherwise area * factor rounded to the
// rounding digits and formatted with them (decimals only for rounding 1 to 4).
std::string QuantityText(std::optional<double> area, double factor, std::string_view rounding);

// The default-unit rule: every row 1 .. firstFreeRow - 1 whose unit entry is empty gets the
// entry `defaultUnit` and its factor. A row with an entry keeps it, even when its unit part
// is empty (",3" keeps factor 3).
void ApplyDefaultUnit(Table& table, std::string_view defaultUnit);

// Shows the quantity of every row 1 .. firstFreeRow - 1 from its CountedArea ("-" for a row
// without area).
void ShowQuantities(Table& table, std::string_view rounding);

// A row with an area whose quantity text is a number gets its quantity again from the area,
// its factor and the rounding digits. Other texts ("-", empty, words) stay, and so does a number
// the user typed into a row without area.
void RecomputeQuantity(TableRow& row, std::string_view rounding);

// A pick in the rounding list: RecomputeQuantity for rows 1..16.
void RecomputeQuantities(Table& table, std::string_view rounding);

// A unit entry committed for a row: the entry and the factor it gives, and the quantity
// recomputed with the rounding digits (RecomputeQuantity). An empty entry gives factor 1.
void SetUnitEntry(TableRow& row, std::string_view entry, std::string_view rounding);
