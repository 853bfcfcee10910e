// The main form as the load step prepares it for the mode: captions, which controls are
// shown or enabled, the swatch marks and the few sizes that change (twips). Where controls
// stand otherwise is the window's business.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "base/ModeCode.h"
#include "exchange/Table.h"
#include "ui/Swatches.h"

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsRect&) const = default;
};

struct FormLayout {
    std::string caption;                   // the window's caption
    int formWidth = 5900, formHeight = 7500;
    int panelLeft = 70, panelTop = 100;    // Frame1, the settings panel
    SwatchMode swatchMode = SwatchMode::Reorder;  // btnChenge's caption at start
    bool swapButtonVisible = true;         // btnChenge
    bool swapButtonEnabled = true;
    std::array<std::string, 2 * kRowCount + 1> swatchCaptions{};  // Lblpic(1..32); 0 unused
    bool copyButtonVisible = true;         // Command3 "コピー && OK"
    bool copyButtonEnabled = true;
    std::optional<TwipsRect> okButton;     // Command2, where it is moved; nullopt: as designed
    std::string swatchHeading = "Solid";   // Label2
    std::string nameHeading = "項　目　名";  // Label3
    std::string titleLabel = "タイトル：";   // Label4
    bool quantityHeadingVisible = true;    // txttani "数     量"
    bool upperCaseBoxVisible = false;      // chkC "#cを大文字（0.02mm間隔)"
    std::optional<int> titleBoxWidth;      // txtHyoumei; nullopt: as designed
};

// The form prepared for the mode; `reverseOrder` is Jw_cad's drawing-order switch, read
// only in the overlap mode (its caption and the marks of swatches 17 and 32).
FormLayout PrepareForm(ModeCode mode, bool reverseOrder);
