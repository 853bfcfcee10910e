// The colour swatches beside the table rows: the swatch mode of the button btnChenge, its
// hint, who may be dragged, and the exchange of two rows by a drop.
#pragma once

#include <string>

#include "base/ModeCode.h"
#include "base/SolidColour.h"
#include "exchange/Table.h"

// SwatchMode, shown as the caption of btnChenge: what a click on a left swatch does.
enum class SwatchMode {
    Reorder,  // "並替": left swatches are dragged onto other rows
    Add,      // "追加": a click on an empty left swatch adds a colour
    Delete,   // "削除": a click on a left swatch clears the row
};

// Swatches are numbered 1..32 (Lblpic): 1..16 the left ones of rows 1..16, 17..32 the right ones.
constexpr bool IsLeftSwatch(int swatch) { return swatch <= kRowCount; }
constexpr int SwatchRow(int swatch) { return IsLeftSwatch(swatch) ? swatch : swatch - kRowCount; }

std::string SwatchModeCaption(SwatchMode mode);
// One click on btnChenge: 並替 -> 追加 -> 削除 -> 並替.
SwatchMode NextSwatchMode(SwatchMode mode);

// Label7 under the swatch column: empty in the colour-change mode, else by the swatch mode.
std::string SwatchHint(ModeCode mode, SwatchMode swatchMode);
// Left swatches can be dragged only in the reorder state, and never in the colour-change mode.
bool LeftSwatchesDraggable(ModeCode mode, SwatchMode swatchMode);

// Swatch captions are drawn white on a dark Jw_cad background (below 0x777777).
bool SwatchTextWhite(SolidColour background);

// Gives both swatches of the row the colour and its "R:.. G:.. B:.." tooltip.
void PaintRow(TableRow& row, SolidColour colour);
// Both swatches of the row empty: the background colour and no tooltip.
void PaintRowEmpty(TableRow& row, SolidColour background);

// The drop of row s's left swatch on a swatch of row t: swaps the swatch colours (with fresh
// tooltips), item names, quantity texts, kept records, unit captions and unit entries. The
// swatch captions stay on their positions, and the row arrays of the table (colours, areas,
// units, factors, solid counts) are not exchanged. Rows are 1..16.
void ExchangeRows(Table& table, int s, int t);
