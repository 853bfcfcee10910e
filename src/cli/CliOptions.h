// The command line of vemora-cli as a plain struct, parsed without touching any file.
//
//   vemora-cli --dir plan --title 面積表 --swap 3:1 --print tsv C2
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/SolidColour.h"

enum class PrintFormat { None, Tsv, Json };

struct Recolour {
    SolidColour from = 0;  // the left swatch colour of the rows to recolour
    SolidColour to = 0;    // their new right swatch colour
    bool operator==(const Recolour&) const = default;
};

// A row's name or unit entry as its editor would commit it.
struct RowText {
    int row = 0;  // 1..16
    std::string text;
    bool operator==(const RowText&) const = default;
};

struct RowSwap {
    int source = 0;  // the row whose left swatch is dragged, 1..16
    int target = 0;  // the row it is dropped on, 1..16
    bool operator==(const RowSwap&) const = default;
};

struct CliOptions {
    std::optional<std::string> modeWord;  // none: layer names of a running Jw_cad
    std::string dir = ".";                // the program folder
    std::optional<std::string> zfile;     // folder of ZTEMP.TXT
    std::optional<std::string> registry;  // registry export file
    std::optional<std::string> table;     // table file to open after the load step
    std::optional<std::string> title;
    std::vector<RowText> names;           // in the order given
    std::vector<RowText> units;           // in the order given
    std::optional<std::string> keta;      // one of the rounding list's entries, "4" .. "-6"
    std::vector<Recolour> recolours;      // in the order given
    std::vector<RowSwap> swaps;           // in the order given
    PrintFormat print = PrintFormat::None;
    std::optional<std::string> svg;       // SVG file of the table drawing
    bool check = false;                   // print the solid check's findings instead of the table, then stop
    bool dryRun = false;
    bool help = false;
    bool version = false;
};

struct CliParse {
    CliOptions options;
    std::string error;  // one line, empty when the arguments are usable
    explicit operator bool() const { return error.empty(); }
};

// Parses the arguments after the program name. Options take their value as the next
// argument or after "=" (--dir=plan); "--" ends the options. Unknown options, missing or
// malformed values and a second word give an error.
CliParse ParseCliOptions(std::span<const std::string> args);

// "255", "#FF0000" (exactly six hexadecimal digits, red first): a colour 0..0xFFFFFF.
std::optional<SolidColour> ParseCliColour(std::string_view text);

// The --help text.
std::string CliUsage();
