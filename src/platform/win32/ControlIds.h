// Control and command identifiers of the main window. The end-to-end test driver finds
// the controls by these numbers, so they are part of the window's outside contract.
#pragma once

#include "ui/Menus.h"

namespace ids {

// Swatch 1..32: 1..16 the left swatches of rows 1..16, 17..32 the right ones.
constexpr int Swatch(int number) {
    return 1000 + number;
}
// The cells of row 1..16.
constexpr int Name(int row) {
    return 1100 + row;
}
constexpr int Quantity(int row) {
    return 1200 + row;
}
constexpr int Unit(int row) {
    return 1300 + row;
}

constexpr int kTitleBox = 1400;
constexpr int kTitleLabel = 1401;
constexpr int kSwatchButton = 1402;  // 並替 / 追加 / 削除
constexpr int kHint = 1403;          // under the swatches
constexpr int kUpperCase = 1404;     // "#cを大文字" in the layer-name modes
constexpr int kOk = 1405;
constexpr int kCopyOk = 1406;      // "コピー && OK"
constexpr int kNameEditor = 1407;  // the floating editors
constexpr int kUnitEditor = 1408;
constexpr int kPreview = 1409;     // "プレビュー"
constexpr int kHeadSwatch = 1410;  // the column headings
constexpr int kHeadName = 1411;
constexpr int kHeadQuantity = 1412;
constexpr int kHeadUnit = 1413;
constexpr int kFindings = 1414;        // the solid check's line under the table
constexpr int kFindingsButton = 1415;  // "詳細(&D)..." at its end

// The settings panel and its controls.
constexpr int kPanel = 1500;
constexpr int kPanelFrame = 1501;
constexpr int kDefaultUnit = 1502;
constexpr int kRounding = 1503;
constexpr int kSampleWidth = 1504;
constexpr int kSampleLayer = 1505;
constexpr int kGapHeight = 1506;
constexpr int kGapWidth = 1507;
constexpr int kOuterFrameColour = 1511;
constexpr int kVerticalLineColour = 1512;
constexpr int kTextType = 1513;
constexpr int kTextLayer = 1514;
constexpr int kOuterFrameLayer = 1515;
constexpr int kVerticalLineLayer = 1516;
constexpr int kHorizontalLineColour = 1517;
constexpr int kHorizontalLineLayer = 1518;
constexpr int kOuterFrameLineType = 1519;
constexpr int kVerticalLineType = 1520;
constexpr int kHorizontalLineType = 1521;
// The check box of ruled-line group 0..2 (outer frame, vertical, horizontal lines).
constexpr int RuledLineBox(int group) {
    return 1530 + group;
}
// The option of copy layout 0 (card) or 1 (list).
constexpr int CopyLayoutOption(int layout) {
    return 1540 + layout;
}
constexpr int kCopyFrame = 1545;
constexpr int kPanelOk = 1546;
constexpr int kTotalRow = 1547;   // "合計行"
constexpr int kSeenAreas = 1548;  // "重なりを除いた面積で集計"
// The captions of the panel's rows: 0..5 the settings, 6 the ruled-line heading.
constexpr int PanelLabel(int row) {
    return 1560 + row;
}

// The findings window's list and its "閉じる".
constexpr int kFindingsList = 1600;
constexpr int kFindingsClose = 1601;

// Menu commands: kMenuBase + the Command's number (ui/Menus.h), e.g. 2003 終了, 2009 作表設定.
constexpr int kMenuBase = 2000;
constexpr int MenuId(Command command) {
    return kMenuBase + static_cast<int>(command);
}

}  // namespace ids
