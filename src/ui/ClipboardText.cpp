#include "ui/ClipboardText.h"

#include <algorithm>

int CopiedRowCount(const Table& table, SolidColour background) {
    int count = std::clamp(table.nextRow - 1, 0, kRowCount);
    for (int i = count + 1; i <= kRowCount; ++i)
        if (RowInUse(table.Row(i), background)) count = i;
    return count;
}

std::string ClipboardText(const Table& table, SolidColour background, const std::string& title, ModeCode mode,
                          int layout) {
    const int rows = CopiedRowCount(table, background);
    const std::string kLineEnd = "\r\n";
    std::string text;
    if (layout == 0) {
        text = title + kLineEnd;
        for (int i = 1; i <= rows; ++i) {
            const TableRow& row = table.Row(i);
            text += row.name + "\t" + row.quantity + "\t" + table.rowUnits[static_cast<std::size_t>(i)] + kLineEnd;
        }
    } else if (layout == 1) {
        if (mode == ModeCode::NewArea) {
            text = "項目名";
            for (int i = 1; i <= rows; ++i) text += "\t" + table.Row(i).name;
            text += kLineEnd + "単　位";
            for (int i = 1; i <= rows; ++i) text += "\t" + table.rowUnits[static_cast<std::size_t>(i)];
            text += kLineEnd;
        }
        text += title;
        for (int i = 1; i <= rows; ++i) text += "\t" + table.Row(i).quantity;
        text += kLineEnd;
    }
    return text;
}
