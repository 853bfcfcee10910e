// The table as tab-separated text for the clipboard (the copy-and-OK command).
//
// Card layout (copyLayout 0), one line per row:     List layout (copyLayout 1), one column per row:
//   面積表                                            項目名<TAB>居室<TAB>廊下      (with headings)
//   居室<TAB>12.500<TAB>m^2                           単　位<TAB>m^2<TAB>m^2        (with headings)
//   廊下<TAB>3.000<TAB>m^2                            面積表<TAB>12.500<TAB>3.000
#pragma once

#include <string>

#include "model/Table.h"
#include "output/TotalRows.h"

// The rows copied: 1 to firstFreeRow - 1, extended to the last row in use, so that rows added by
// hand (which do not move firstFreeRow) are copied too. At most 16.
int CopiedRowCount(const Table& table, SolidColour background);

// The clipboard text: item names, quantities and unit captions as shown, a tab between fields
// and CR LF after every line; the list layout has the name and unit heading lines only where
// asked (`withHeadings`). The total rows follow the rows (a line each in the card layout, a
// column each in the list layout). A layout other than 0 (card) or 1 (list) gives an empty text.
std::string ClipboardText(const Table& table, SolidColour background, const std::string& title, bool withHeadings,
                          int layout, const std::vector<TotalRow>& totals = {});
