// The table as tab-separated text for the clipboard (the copy-and-OK command).
//
// Card layout (tensoType 0), one line per row:     List layout (tensoType 1), one column per row:
//   面積表                                            項目名<TAB>居室<TAB>廊下      (mode 1 only)
//   居室<TAB>12.500<TAB>m^2                           単　位<TAB><TAB>              (mode 1 only)
//   廊下<TAB>3.000<TAB>m^2                            面積表<TAB>12.500<TAB>3.000
#pragma once

#include <string>

#include "base/ModeCode.h"
#include "exchange/Table.h"

// The rows copied: 1 to NextRow - 1, extended to the last row in use, so that rows added by
// hand (which do not move NextRow) are copied too. At most 16.
int CopiedRowCount(const Table& table, SolidColour background);

// The clipboard text: item names and quantities as shown, units from RowUnits (the units of
// the last item table loaded), a tab between fields and CR LF after every line. A layout
// other than 0 or 1 gives an empty text.
std::string ClipboardText(const Table& table, SolidColour background, const std::string& title, ModeCode mode,
                          int layout);
