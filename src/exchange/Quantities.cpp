#include "exchange/Quantities.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <limits>
#include <utility>

#include "base/Text.h"
#include "exchange/Numbers.h"
#include "output/Format.h"

namespace {

// The circle-related warning: three lines, the last with a half-width "｡" and a blank.
constexpr std::string_view kRoundFiguresMessage =
    "円形関係のソリッド図形が存在します。\r\n"
    "これらの面積は集計できません。\r\n"
    "注意してください｡ ";
constexpr std::string_view kNoSolidsMessage = "ソリッド図形がありません。";

// The Keta value as the quantity formatter takes it: a 16-bit integer, rounded to even as
// the conversion of a text to an integer does; out of range gives 0 (no decimals).
int FormatDigits(double keta) {
    double r = std::nearbyint(keta);
    return (r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max())
               ? static_cast<int>(r)
               : 0;
}

// A quantity text that reads as a number: sign, digits, thousands separators, decimals.
bool IsNumberText(std::string_view text) {
    std::string digits;
    for (char c : text::TrimBlanks(text))
        if (c != ',')
            digits += c;
    return numbers::ParseNumber(digits).has_value();
}

}  // namespace

UnitEntry SplitUnitEntry(std::string_view entry) {
    std::size_t comma = entry.find(',');
    UnitEntry result{std::string(entry.substr(0, comma)), 1.0};
    if (comma == std::string_view::npos)
        return result;
    std::string_view factor = entry.substr(comma + 1);
    factor = factor.substr(0, factor.find(','));
    std::optional<double> value = numbers::ParseNumber(text::TrimBlanks(factor));
    if (value && *value != 0.0)
        result.factor = *value;
    return result;
}

double KetaValue(std::string_view keta) {
    return numbers::ParseNumber(text::TrimBlanks(keta)).value_or(0.0);
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

std::string QuantityText(std::optional<double> area, double factor, std::string_view keta) {
    if (!area)
        return "-";
    double digits = KetaValue(keta);
    return FormatQuantity(RoundedQuantity(*area * factor, digits), FormatDigits(digits));
}

void ApplyDefaultUnit(Table& table, std::string_view tani) {
    UnitEntry entry = SplitUnitEntry(tani);
    for (int i = 1; i < table.nextRow && i <= kRowCount; ++i) {
        TableRow& row = table.Row(i);
        if (!row.unitEntry.empty())
            continue;
        row.unit = entry.unit;
        row.unitEntry = std::string(tani);
        row.factor = entry.factor;
    }
}

void ShowQuantities(Table& table, std::string_view keta) {
    for (int i = 1; i < table.nextRow && i <= kRowCount; ++i) {
        TableRow& row = table.Row(i);
        row.quantity = QuantityText(row.area, row.factor, keta);
    }
}

void RecomputeQuantity(TableRow& row, std::string_view keta) {
    if (row.area && IsNumberText(row.quantity))
        row.quantity = QuantityText(row.area, row.factor, keta);
}

void RecomputeQuantities(Table& table, std::string_view keta) {
    for (int i = 1; i <= kRowCount; ++i)
        RecomputeQuantity(table.Row(i), keta);
}

void SetUnitEntry(TableRow& row, std::string_view entry, std::string_view keta) {
    UnitEntry parsed = SplitUnitEntry(entry);
    row.unit = std::move(parsed.unit);
    row.unitEntry = std::string(entry);
    row.factor = parsed.factor;
    RecomputeQuantity(row, keta);
}

void FinishReading(ModeCode mode,
                   const Drawing& drawing,
                   Table& table,
                   std::string_view tani,
                   std::string_view keta,
                   Notifier& notifier) {
    if (mode == ModeCode::LayerNamesExternal)
        return;
    if (drawing.hasRoundFigures)
        ShowMessage(notifier, kRoundFiguresMessage, MessageIcon::Critical);
    ApplyDefaultUnit(table, tani);
    ShowQuantities(table, keta);
    if (drawing.currentRow == 0)
        ShowMessage(notifier, kNoSolidsMessage, MessageIcon::None);
    if (drawing.leftOutSolids != 0)
        ShowMessage(notifier,
                    "表に入らなかったソリッド図形があります： " + std::to_string(drawing.leftOutColours.size()) + "色 " +
                        std::to_string(drawing.leftOutSolids) + "個\r\nこれらの面積は集計していません。",
                    MessageIcon::Exclamation);
}
