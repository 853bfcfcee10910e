// Where the main window's controls stand, in twips of the client area, for the wide form
// (table modes) and the narrow one (layer-name modes). Pixels come from DPI at placement.
#pragma once

#include <array>

#include "model/Table.h"
#include "ui/Modes.h"

struct RowGeometry {
    TwipsRect leftSwatch, rightSwatch, name, quantity, unit;
};

struct PanelRowGeometry {
    TwipsRect label;                  // the row's caption (or its check box)
    std::array<TwipsRect, 3> fields;  // up to three controls, left to right
};

struct WindowGeometry {
    int clientWidth = 0, clientHeight = 0;
    TwipsRect titleLabel, titleBox;
    TwipsRect headSwatch, headName, headQuantity, headUnit;
    std::array<RowGeometry, kRowCount + 1> rows{};  // 1..16; 0 unused
    TwipsRect swatchButton, hint, upperCase, ok, copyOk;
    TwipsRect preview;  // "プレビュー", beside the swatch-mode button
    TwipsRect findings, findingsButton;  // the solid check's line under the table and "詳細(&D)..."
    bool quantityColumns = true;  // quantity and unit cells shown
};

struct PanelGeometry {
    TwipsRect panel;                              // in the main window's client area
    TwipsRect frame;                              // the "設定" group box inside the panel
    std::array<PanelRowGeometry, 6> settingRows;  // 単位 .. 隙間幅
    TwipsRect rulesHeading;                       // "　罫線"
    std::array<PanelRowGeometry, 3> ruleRows;     // the ruled-line check boxes and their three combos
    TwipsRect copyFrame;                          // the "コピー" group box
    std::array<TwipsRect, 2> copyOptions;         // copy layout 0 card, 1 list
    TwipsRect seenAreas;                          // the "重なりを除いた面積で集計" check box
    TwipsRect totalRow;                           // the "合計行" check box
    TwipsRect ok;                                 // the panel's "ＯＫ"
};

// The main window's geometry for the mode's form; with `findingsLine` a line under the table
// holds the solid check's findings and the controls below move down (without, the findings
// rectangles are empty).
WindowGeometry GeometryFor(const FormLayout& form, bool findingsLine = false);

// The settings panel at its place in the form.
PanelGeometry PanelGeometryFor(const FormLayout& form);

// Twips to pixels at the window's DPI (1440 twips per inch), rounded to nearest.
int TwipsToPixels(int twips, unsigned dpi);
