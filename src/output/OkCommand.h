// The OK command: writes the output of the mode (the coordinate file ZTEMP.TXT or the result
// file JWC_TEMP.TXT), then in the table modes saves the settings and the item table.
#pragma once

#include <string>

#include "base/ModeCode.h"
#include "base/Notifier.h"
#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "exchange/Table.h"
#include "settings/TableSettings.h"

// What the command reads and, in mode 7, changes: the form's state at the press of OK.
struct OkContext {
    ModeCode mode;
    Table& table;  // mode 7 turns it into the layer-name table
    const Drawing& drawing;
    const TableSettings& settings;
    SolidColour background;            // BackgroundColour
    std::string& title;                // the title box; the layer-group selector in modes 6 and 7
    std::string programFolder;         // Vemora.INI, koumoku.INI and JWC_TEMP.TXT
    std::string coordinateFolder;      // ZTEMP.TXT: Jw_cad's ZFILE folder
    bool readingStoppedEarly = false;  // the reading stopped at the colour limit
};

struct OkResult {
    bool wrote = false;        // the output file is complete and in place
    bool handOff = false;      // the caller hands ZTEMP.TXT to Jw_cad (modes 0, 1, 2, 6, 7)
    bool endsProgram = false;  // after the hand-off, if any, the program ends
    bool settingsSaved = true; // Vemora.INI (and koumoku.INI) were saved after the table, where due
};

// Runs the OK command for the context's mode. On a setting that gives no usable table, or a
// file that cannot be written, it shows a message naming the setting or the file and the
// reason, writes nothing, saves nothing and returns with the form to stay open. In modes
// 3, 4 and 5 after the colour limit it writes no result file (the kept lines are
// incomplete) and says so; the program then ends. The table and title change only in mode 7
// and only when the coordinate file was written.
OkResult RunOk(OkContext& context, Notifier& notifier);
