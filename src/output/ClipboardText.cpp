#include "output/ClipboardText.h"

#include <algorithm>

#include "model/Quantities.h"

int CopiedRowCount(const Table& table, SolidColour background) {
    int count = std::clamp(table.firstFreeRow - 1, 0, kRowCount);
    for (int i = count + 1; i <= kRowCount; ++i)
        if (RowInUse(table.Row(i), background)) count = i;
    return count;
}

std::string ClipboardText(const Table& table, SolidColour background, const std::string& title, bool withHeadings,
                          int layout, const std::vector<TotalRow>& totals) {
    // The copied rows, then the totals: name, quantity and unit caption.
    struct Line {
        std::string_view name, quantity, unit;
    };
    std::vector<Line> lines;
    for (int i = 1; i <= CopiedRowCount(table, background); ++i) {
        const TableRow& row = table.Row(i);
        lines.push_back({row.name, row.quantity, UnitCaption(row.unitEntry)});
    }
    for (const TotalRow& total : totals) lines.push_back({kTotalName, total.quantity, total.unit});
    const std::string kLineEnd = "\r\n";
    std::string text;
    if (layout == 0) {
        text = title + kLineEnd;
        for (const Line& line : lines)
            text += std::string(line.name) + "\t" + std::string(line.quantity) + "\t" + std::string(line.unit) + kLineEnd;
    } else if (layout == 1) {
        if (withHeadings) {
            text = "項目名";
            for (const Line& line : lines) text += "\t" + std::string(line.name);
            text += kLineEnd + "単　位";
            for (const Line& line : lines) text += "\t" + std::string(line.unit);
            text += kLineEnd;
        }
        text += title;
        for (const Line& line : lines) text += "\t" + std::string(line.quantity);
        text += kLineEnd;
    }
    return text;
}
