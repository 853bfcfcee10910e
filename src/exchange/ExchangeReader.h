// The exchange-file reader: walks TEMP.TXT once while the other cores measure the plain solid
// records ahead of it, keeps the attribute state, the header values, the title and every line
// to write back, hands the solid records to the solid analysis and ends with the end-of-file
// step. The file is code page 932:
//
//   hq                                   (first line: skipped)
//   hs 100 100 200 50 100 100 100 100 100 100 100 100 100 100 100 100
//   lg0
//   lc10 12632256
//   sl 2500 -1500 4000 -1500 2500 1500
//
// Where this reader differs from the record rules it follows, on purpose:
// - Counters are 64-bit: a drawing may hold millions of solids.
// - An "sl" record that cannot be measured (a field count other than 6 or 8, a field that
//   is no number) is kept in its row's unmeasured list and counted, never dropped.
// - A layer or group digit outside 0-9 and a-f names no row and no group: an "lg" with it
//   sets the current layer group but leaves the scale, an "lyn" under such a layer is
//   ignored. Pen colour texts that give no number, or a negative one, leave the colour;
//   so does an "lc10 " value that is no 32-bit number (the record is still consumed).
// - Header fields that are missing or not numbers are left empty (a size of 0).
// - Nothing is read past the end: an empty file is an empty drawing, and an "hhp1ch" on
//   the last line gives an empty title and keeps no line for it.
// - Lines may end in CR LF, LF or CR; fields are split at single blanks. A number may
//   carry a leading "+" ("+5" is 5); "inf", "nan" and numbers beyond a double are none.
#pragma once

#include <string>

#include "base/Notifier.h"
#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "model/Table.h"

enum class ReadOutcome {
    Finished,       // end of file reached; the end-of-file step ran (not when reading layer names)
    MissingFile,    // no TEMP.TXT, or one over 4 GiB: reported, nothing read
    ColourLimit,    // a 17th colour in a rewrite mode: reported, the rows so far stay, no end-of-file step
    StoppedAtHash,  // a "#" line where the options stop there: no end-of-file step
    EndProgram,     // a pen colour above 116: reported; the program must end without output
};

// What the mode asks of the reading.
struct ReadOptions {
    const PenColourTable* pens = nullptr;  // Jw_cad's pen colours; null: every pen colour is 0
    bool measuresAreas = false;    // circle-related solids are warned about and dropped, not kept
    bool keepsRows = false;        // the table's rows stay; new colours come after them
    bool stopsAtHash = false;      // the reading ends at a "#" line
    bool readsLayerNames = false;  // "lyn" names and colours rows, "lgn" gives the title; no end-of-file step
    bool rewritesSolids = false;   // a 17th colour stops the reading: the solids could not all be written back
    bool keepsShapes = false;      // each measured record's shape is kept beside its line, for the solid check
};

// Reads the exchange file's bytes: measurements only, no texts for the rows. `drawing` is
// replaced by what the file holds (it keeps the bytes; its LineRefs point into them).
// `table` keeps its rows when the options say so (new colours come after them); otherwise
// firstFreeRow is set to 1 first. Solid rows get their colour in both swatches. At the end of
// the file the end-of-file step warns about circle-related solids, reports a file without
// any solid and counts the solids left out beyond 16 colours. Messages go to `notifier`.
ReadOutcome ReadExchange(std::string bytes,
                         const ReadOptions& options,
                         Table& table,
                         Drawing& drawing,
                         Notifier& notifier);

// Finds TEMP.TXT in the folder in any letter case and reads it as ReadExchange does. A file
// that is missing or cannot be read is reported with
// "TEMP.TXTが無がありません、jwwの外変から起動してください" (critical) and gives MissingFile;
// table and drawing are then left as they were.
ReadOutcome ReadExchangeFile(const std::string& programFolder,
                             const ReadOptions& options,
                             Table& table,
                             Drawing& drawing,
                             Notifier& notifier);
