// The exchange-file reader: walks TEMP.TXT once, keeps the attribute state, the header
// values, the title and every line to write back, hands the solid records to the solid
// analysis and ends with the end-of-file step. The file is code page 932:
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

#include "base/ModeCode.h"
#include "base/Notifier.h"
#include "base/SolidColour.h"
#include "exchange/Drawing.h"
#include "exchange/Table.h"

enum class ReadOutcome {
    Finished,       // end of file reached; the end-of-file step ran
    MissingFile,    // no TEMP.TXT, or one over 4 GiB: reported, nothing read
    ColourLimit,    // a 17th colour in a rewrite mode: reported, the rows so far stay, no end-of-file step
    StoppedAtHash,  // mode 0 met a "#" line: the load step ends there, no end-of-file step
    EndProgram,     // a pen colour above 116: reported; the program must end without output
};

struct ReadOptions {
    ModeCode mode = ModeCode::TableCreation;
    const PenColourTable* pens = nullptr;  // Jw_cad's pen colours; null: every pen colour is 0
    std::string defaultUnit;               // the Tani setting, "m^2,1"
    std::string keta;                      // the Keta setting: rounding digits
};

// Reads the exchange file's bytes. `drawing` is replaced by what the file holds (it keeps
// the bytes; its LineRefs point into them). `table` keeps its rows: in mode 2 it holds the
// previous table and new colours come after its rows; in every other mode nextRow is set to
// 1 first. Solid rows get their colour in both swatches; mode 7 "lyn" records name rows
// and colour their swatches. Messages go to `notifier`. Not for mode 6, which reads no file.
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
