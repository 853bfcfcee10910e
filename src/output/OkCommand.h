// The OK command: writes the output of the mode (the coordinate file ZTEMP.TXT or the result
// file JWC_TEMP.TXT), then after a table saves the settings and, where asked, the item table.
// It works on the form's state as it stands at the press of OK and changes nothing of it: what
// the form takes over afterwards comes back in the result, once every file is written.
#pragma once

#include <optional>
#include <string>

#include "base/Notifier.h"
#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "exchange/SolidCheck.h"
#include "model/Table.h"
#include "output/ModeOutputs.h"
#include "settings/TableSettings.h"

// What OK writes.
enum class OkOutput {
    AreaTable,       // the area table into the coordinate file
    LayerNameTable,  // layer names and the layer-name table into the coordinate file
    LayerNames,      // layer names into the coordinate file
    Rewrite,         // the selected solids into the result file
    SolidCheck,      // the selected figures and markers at the check's findings into the result file
};

// Whether the output goes to JWC_TEMP.TXT for Jw_cad to read back, not to ZTEMP.TXT.
constexpr bool WritesResultFile(OkOutput output) {
    return output == OkOutput::Rewrite || output == OkOutput::SolidCheck;
}

// What the command reads: the form's state at the press of OK.
struct OkRequest {
    OkOutput output = OkOutput::AreaTable;
    RewriteKind rewrite = RewriteKind::Recolour;  // for OkOutput::Rewrite
    bool savesItemTable = false;                  // koumoku.INI after the table
    const Table& table;
    const Drawing& drawing;
    const TableSettings& settings;
    SolidColour background = kWhite;
    const std::string& title;          // the title box; the layer-group selector for layer names
    std::string programFolder;         // Vemora.INI, koumoku.INI and JWC_TEMP.TXT
    std::string coordinateFolder;      // ZTEMP.TXT: Jw_cad's ZFILE folder
    bool readingStoppedEarly = false;  // the reading stopped at the colour limit
    bool reverseOrder = false;         // Jw_cad draws solids in reverse file order
    const SolidCheck* check = nullptr;  // the solid check of the table, where the form made it already
};

struct OkResult {
    bool wrote = false;         // the output file is complete and in place
    bool handOff = false;       // the caller hands ZTEMP.TXT to Jw_cad
    bool endsProgram = false;   // after the hand-off, if any, the program ends
    bool settingsSaved = true;  // Vemora.INI (and koumoku.INI) were saved after the table, where due
    bool nothingDue = false;    // there was nothing to write (the check found nothing), which is no failure
    // The layer-name table and its title as drawn, for the form to take over (written only).
    std::optional<Table> table;
    std::optional<std::string> title;
};

// Runs the OK command. On a setting that gives no usable table, or a file that cannot be
// written, it shows a message naming the setting or the file and the reason, writes nothing,
// saves nothing and returns with the form to stay open. A rewrite after the colour limit
// writes no result file (the kept lines are incomplete) and says so; the program then ends.
// The solid check without findings writes nothing, says so and ends the program.
OkResult RunOk(const OkRequest& request, Notifier& notifier);
