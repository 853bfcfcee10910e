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
                          int layout) {
    const int rows = CopiedRowCount(table, background);
    const std::string kLineEnd = "\r\n";
    std::string text;
    if (layout == 0) {
        text = title + kLineEnd;
        for (int i = 1; i <= rows; ++i) {
            const TableRow& row = table.Row(i);
            text += row.name + "\t" + row.quantity + "\t" + std::string(UnitCaption(row.unitEntry)) + kLineEnd;
        }
    } else if (layout == 1) {
        if (withHeadings) {
            text = "項目名";
            for (int i = 1; i <= rows; ++i) text += "\t" + table.Row(i).name;
            text += kLineEnd + "単　位";
            for (int i = 1; i <= rows; ++i) text += "\t" + std::string(UnitCaption(table.Row(i).unitEntry));
            text += kLineEnd;
        }
        text += title;
        for (int i = 1; i <= rows; ++i) text += "\t" + table.Row(i).quantity;
        text += kLineEnd;
    }
    return text;
}
