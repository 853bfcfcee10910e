#include "model/Quantities.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <limits>

#include "base/Text.h"
#include "base/Numbers.h"
#include "base/Format.h"

namespace {

// The rounding value as the quantity formatter takes it: a 16-bit integer, rounded to even as
// the conversion of a text to an integer does; out of range gives 0 (no decimals).
int FormatDigits(double rounding) {
    double r = std::nearbyint(rounding);
    return (r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max())
               ? static_cast<int>(r)
               : 0;
}

}  // namespace

std::optional<double> ShownQuantity(std::string_view text) {
    std::string digits;
    for (char c : text::TrimBlanks(text))
        if (c != ',')
            digits += c;
    return numbers::ParseNumber(digits);
}

std::string_view UnitCaption(std::string_view entry) {
    return entry.substr(0, entry.find(','));
}

double UnitFactor(std::string_view entry) {
    std::size_t comma = entry.find(',');
    if (comma == std::string_view::npos)
        return 1.0;
    std::string_view factor = entry.substr(comma + 1);
    factor = factor.substr(0, factor.find(','));
    std::optional<double> value = numbers::ParseNumber(text::TrimBlanks(factor));
    return value && *value != 0.0 ? *value : 1.0;
}

double RoundingDigits(std::string_view rounding) {
    return numbers::ParseNumber(text::TrimBlanks(rounding)).value_or(0.0);
}

double RoundedQuantity(double value, double digits) {
    double scale = std::pow(10.0, digits);
    if (scale == 0.0)
        return 0.0;
    double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    return std::floor(scaled + 0.5) / scale;
}

std::string QuantityText(std::optional<double> area, double factor, std::string_view rounding) {
    if (!area)
        return "-";
    double digits = RoundingDigits(rounding);
    return FormatQuantity(RoundedQuantity(*area * factor, digits), FormatDigits(digits));
}

void ApplyDefaultUnit(Table& table, std::string_view defaultUnit) {
    const double factor = UnitFactor(defaultUnit);
    for (int i = 1; i < table.firstFreeRow && i <= kRowCount; ++i) {
        TableRow& row = table.Row(i);
        if (!row.unitEntry.empty())
            continue;
        row.unitEntry = std::string(defaultUnit);
        row.factor = factor;
    }
}

void ShowQuantities(Table& table, std::string_view rounding) {
    for (int i = 1; i < table.firstFreeRow && i <= kRowCount; ++i) {
        TableRow& row = table.Row(i);
        row.quantity = QuantityText(CountedArea(row), row.factor, rounding);
    }
}

void RecomputeQuantity(TableRow& row, std::string_view rounding) {
    if (CountedArea(row) && ShownQuantity(row.quantity))
        row.quantity = QuantityText(CountedArea(row), row.factor, rounding);
}

void RecomputeQuantities(Table& table, std::string_view rounding) {
    for (int i = 1; i <= kRowCount; ++i)
        RecomputeQuantity(table.Row(i), rounding);
}

void SetUnitEntry(TableRow& row, std::string_view entry, std::string_view rounding) {
    row.unitEntry = std::string(entry);
    row.factor = UnitFactor(entry);
    RecomputeQuantity(row, rounding);
}
