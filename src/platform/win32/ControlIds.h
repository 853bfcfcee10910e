// Control and command identifiers of the main window. The end-to-end test driver finds
// the controls by these numbers, so they are part of the window's outside contract.
#pragma once

#include "ui/Menus.h"

namespace ids {

// Swatch k (1..32): Lblpic(k); 1..16 the left swatches, 17..32 the right ones.
constexpr int Swatch(int k) {
    return 1000 + k;
}
constexpr int Name(int row) {
    return 1100 + row;
}  // txtname(row)
constexpr int Quantity(int row) {
    return 1200 + row;
}  // Text_sum(row)
constexpr int Unit(int row) {
    return 1300 + row;
}  // Label5(row)

constexpr int kTitleBox = 1400;      // txtHyoumei
constexpr int kTitleLabel = 1401;    // Label4
constexpr int kSwatchButton = 1402;  // btnChenge
constexpr int kHint = 1403;          // Label7
constexpr int kUpperCase = 1404;     // chkC
constexpr int kOk = 1405;            // Command2
constexpr int kCopyOk = 1406;        // Command3
constexpr int kNameEditor = 1407;    // Combo2
constexpr int kUnitEditor = 1408;    // cbTani(0)
constexpr int kHeadSwatch = 1410;    // Label2
constexpr int kHeadName = 1411;      // Label3
constexpr int kHeadQuantity = 1412;  // txttani
constexpr int kHeadUnit = 1413;      // lbltani

// The settings panel Frame1 and its controls.
constexpr int kPanel = 1500;
constexpr int kPanelFrame = 1501;
constexpr int kDefaultUnit = 1502;  // cbTaniD
constexpr int kDigits = 1503;       // Comboketa
constexpr int kSolidWidth = 1504;   // Solid_W
constexpr int kSolidLayer = 1505;   // cmbSolidLay
constexpr int kGapHeight = 1506;    // Sukima_H
constexpr int kGapWidth = 1507;     // Sukima_W
constexpr int Combo1(int k) {
    return 1510 + k;
}  // Combo1(1..11)
constexpr int Keisen(int i) {
    return 1530 + i;
}  // ckKeisen(0..2)
constexpr int CopyType(int i) {
    return 1540 + i;
}  // Option1(0..1)
constexpr int kCopyFrame = 1545;  // Frame2
constexpr int kPanelOk = 1546;    // cmdOptionOK
constexpr int PanelLabel(int k) {
    return 1560 + k;
}

// Menu commands: kMenuBase + the Command's number (ui/Menus.h), e.g. 2003 終了, 2009 作表設定.
constexpr int kMenuBase = 2000;
constexpr int MenuId(Command command) {
    return kMenuBase + static_cast<int>(command);
}

}  // namespace ids
