#include "ui/Swatches.h"

#include <cassert>
#include <utility>

std::string SwatchModeCaption(SwatchMode mode) {
    switch (mode) {
        case SwatchMode::Reorder: return "並替";
        case SwatchMode::Add: return "追加";
        case SwatchMode::Delete: return "削除";
    }
    assert(false && "unknown swatch mode");
    return {};
}

SwatchMode NextSwatchMode(SwatchMode mode) {
    switch (mode) {
        case SwatchMode::Reorder: return SwatchMode::Add;
        case SwatchMode::Add: return SwatchMode::Delete;
        case SwatchMode::Delete: return SwatchMode::Reorder;
    }
    assert(false && "unknown swatch mode");
    return SwatchMode::Reorder;
}

std::string SwatchHint(ModeCode mode, SwatchMode swatchMode) {
    if (mode == ModeCode::ColourChange) return {};
    return swatchMode == SwatchMode::Reorder ? "↑ここをドラッグしてください" : "↑ここをクリックしてください";
}

bool LeftSwatchesDraggable(ModeCode mode, SwatchMode swatchMode) {
    return mode != ModeCode::ColourChange && swatchMode == SwatchMode::Reorder;
}

bool SwatchTextWhite(SolidColour background) { return background < 0x777777; }

void PaintRow(TableRow& row, SolidColour colour) {
    row.left = row.right = colour;
    row.leftTip = row.rightTip = ColourRgbText(colour);
}

void PaintRowEmpty(TableRow& row, SolidColour background) {
    row.left = row.right = background;
    row.leftTip.clear();
    row.rightTip.clear();
}

void ExchangeRows(Table& table, int s, int t) {
    assert(s >= 1 && s <= kRowCount && t >= 1 && t <= kRowCount);
    TableRow& a = table.Row(s);
    TableRow& b = table.Row(t);
    std::swap(a.left, b.left);
    std::swap(a.right, b.right);
    for (TableRow* row : {&a, &b}) {
        row->leftTip = ColourRgbText(row->left);
        row->rightTip = ColourRgbText(row->right);
    }
    std::swap(a.name, b.name);
    std::swap(a.quantity, b.quantity);
    std::swap(a.records, b.records);
    std::swap(a.unit, b.unit);
    std::swap(a.unitEntry, b.unitEntry);
    std::swap(a.factor, b.factor);
    std::swap(a.area, b.area);
    std::swap(a.solidCount, b.solidCount);
    std::swap(table.rowColours[static_cast<std::size_t>(s)], table.rowColours[static_cast<std::size_t>(t)]);
    std::swap(table.rowUnits[static_cast<std::size_t>(s)], table.rowUnits[static_cast<std::size_t>(t)]);
}
