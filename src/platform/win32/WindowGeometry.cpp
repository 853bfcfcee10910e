#include "platform/win32/WindowGeometry.h"

#include <algorithm>

namespace {

// The form's outer width less the window frame: what the client area gets.
constexpr int kFrameAllowance = 120;
constexpr int kMargin = 120;
constexpr int kFirstRowTop = 800;
constexpr int kRowPitch = 320;
constexpr int kRowHeight = 300;

// Columns of the wide form, left to right.
constexpr int kLeftSwatchX = kMargin, kSwatchWidth = 420;
constexpr int kRightSwatchX = 560;
constexpr int kNameX = 1020, kNameWidth = 2200;
constexpr int kQuantityX = 3260, kQuantityWidth = 1300;
constexpr int kUnitX = 4600, kUnitWidth = 1000;
constexpr int kTitleBoxX = 1400;

constexpr int kBottomTop = kFirstRowTop + (kRowCount - 1) * kRowPitch + kRowHeight + 100;  // under row 16
constexpr int kFindingsHeight = 330;  // the findings line, as high as its button

}  // namespace

int TwipsToPixels(int twips, unsigned dpi) {
    long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

WindowGeometry GeometryFor(const FormLayout& form, bool findingsLine) {
    WindowGeometry g;
    g.clientWidth = form.formWidth - kFrameAllowance;
    g.quantityColumns = form.quantityColumns;
    int right = g.clientWidth - kMargin;  // right edge of the widest column
    int nameWidth = g.quantityColumns ? kNameWidth : right - kNameX;

    g.titleLabel = {kMargin, 130, kTitleBoxX - kMargin - 60, 260};
    g.titleBox = {kTitleBoxX, 100, form.titleBoxWidth.value_or(kQuantityX + kQuantityWidth - kTitleBoxX), 320};

    g.headSwatch = {kLeftSwatchX, 520, kRightSwatchX + kSwatchWidth - kLeftSwatchX, 260};
    g.headName = {kNameX, 520, nameWidth, 260};
    g.headQuantity = {kQuantityX, 520, kQuantityWidth, 260};
    g.headUnit = {kUnitX, 520, kUnitWidth, 260};

    for (int i = 1; i <= kRowCount; ++i) {
        int top = kFirstRowTop + (i - 1) * kRowPitch;
        RowGeometry& row = g.rows[static_cast<std::size_t>(i)];
        row.leftSwatch = {kLeftSwatchX, top, kSwatchWidth, kRowHeight};
        row.rightSwatch = {kRightSwatchX, top, kSwatchWidth, kRowHeight};
        row.name = {kNameX, top, nameWidth, kRowHeight};
        row.quantity = {kQuantityX, top, kQuantityWidth, kRowHeight};
        row.unit = {kUnitX, top, kUnitWidth, kRowHeight};
    }

    int bottomTop = kBottomTop;
    if (findingsLine) {
        g.findings = {kLeftSwatchX, kBottomTop, kUnitX - 60 - kLeftSwatchX, kFindingsHeight};
        g.findingsButton = {kUnitX, kBottomTop, kUnitWidth, kFindingsHeight};
        bottomTop += kFindingsHeight + 100;
    }
    g.swatchButton = {kLeftSwatchX, bottomTop, 860, 360};
    g.preview = {kNameX, bottomTop, 1300, 360};
    g.copyOk = {kQuantityX, bottomTop + 135, kQuantityWidth, 400};
    g.ok = form.okButton.value_or(TwipsRect{kUnitX, bottomTop + 135, kUnitWidth, 400});
    g.hint = {kLeftSwatchX, bottomTop + 400, std::min(kQuantityX - 40, right) - kLeftSwatchX, 260};
    // In the narrow form the moved OK button stands where the hint would: the hint goes below.
    if (g.hint.left + g.hint.width > g.ok.left && g.hint.top < g.ok.top + g.ok.height)
        g.hint.top = g.ok.top + g.ok.height + 40;
    g.upperCase = {kLeftSwatchX, g.hint.top + g.hint.height + 40, right - kLeftSwatchX, 280};
    const TwipsRect& last = form.upperCaseBoxVisible ? g.upperCase : g.hint;
    g.clientHeight = std::max(last.top + last.height, g.ok.top + g.ok.height) + kMargin;
    return g;
}

PanelGeometry PanelGeometryFor(const FormLayout& form) {
    constexpr int kWidth = 5655, kHeight = 6495;
    constexpr int kLabelX = 300, kField1 = 3300, kField2 = 4200, kFieldWidth = 850, kRowH = 300;
    PanelGeometry p;
    p.panel = {form.panelLeft, form.panelTop, kWidth, kHeight};
    p.frame = {0, 0, kWidth, kHeight};
    for (int r = 0; r < 6; ++r) {
        int top = 360 + r * 400;
        PanelRowGeometry& row = p.settingRows[static_cast<std::size_t>(r)];
        row.label = {kLabelX, top + 30, kField1 - kLabelX - 60, 260};
        row.fields = {TwipsRect{kField1, top, kFieldWidth, kRowH}, TwipsRect{kField2, top, kFieldWidth, kRowH},
                      TwipsRect{}};
    }
    p.settingRows[0].fields[0].width = kWidth - kLabelX - kField1;  // unit entries are longer
    p.rulesHeading = {kLabelX - 150, 2800, 2000, 260};
    for (int r = 0; r < 3; ++r) {
        int top = 3150 + r * 400;
        PanelRowGeometry& row = p.ruleRows[static_cast<std::size_t>(r)];
        row.label = {kLabelX, top, 2150, kRowH};
        row.fields = {TwipsRect{2490, top, 780, kRowH}, TwipsRect{3315, top, 820, kRowH},
                      TwipsRect{4185, top, 820, kRowH}};
    }
    p.copyFrame = {kLabelX, 4450, kWidth - 2 * kLabelX, 800};
    p.copyOptions = {TwipsRect{2900, 4800, 2000, 300}, TwipsRect{600, 4800, 2000, 300}};
    p.ok = {kWidth - 1300, kHeight - 800, 1000, 400};
    p.seenAreas = {kLabelX, 5340, 3600, kRowH};
    p.totalRow = {kLabelX, kHeight - 750, 2150, kRowH};
    return p;
}
