#include "output/TotalRows.h"

#include <algorithm>
#include <cmath>

#include "base/Format.h"
#include "base/Text.h"
#include "model/Quantities.h"
#include "output/TableDrawing.h"

namespace {

constexpr int kMostDecimals = 4;  // as many as the rounding list offers

// The decimals the text shows: the digits after its point.
int ShownDecimals(std::string_view text) {
    text = text::TrimBlanks(text);
    std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    std::size_t digits = text.find_first_not_of("0123456789", point + 1);
    return static_cast<int>((digits == std::string_view::npos ? text.size() : digits) - point - 1);
}

struct UnitSum {
    std::string unit;
    std::vector<double> values;
    int decimals = 0;
};

}  // namespace

std::vector<TotalRow> TotalRows(const Table& table, const TableSettings& settings, SolidColour background) {
    std::vector<UnitSum> sums;
    for (int i = 1; i <= kRowCount && settings.totalRow == 1; ++i) {
        const TableRow& row = table.Row(i);
        std::optional<double> value = ShownQuantity(row.quantity);
        if (!RowDrawn(table, i, background) || !value)
            continue;
        std::string_view unit = UnitCaption(row.unitEntry);
        auto sum = std::find_if(sums.begin(), sums.end(), [&](const UnitSum& s) { return s.unit == unit; });
        if (sum == sums.end())
            sum = sums.insert(sums.end(), UnitSum{std::string(unit), {}, 0});
        sum->values.push_back(*value);
        sum->decimals = std::max(sum->decimals, std::min(ShownDecimals(row.quantity), kMostDecimals));
    }
    std::vector<TotalRow> totals;
    for (const UnitSum& sum : sums) {
        // Whole units of the last shown decimal add up exactly, where a double sum of
        // 12.34 and 0.01 would not.
        const double scale = std::pow(10.0, sum.decimals);
        double units = 0.0;
        for (double value : sum.values)
            units += std::round(value * scale);
        totals.push_back({sum.unit, FormatQuantity(units / scale, sum.decimals)});
    }
    return totals;
}
