#include "cli/CliOptions.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace {

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || ptr != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<int> ParseRow(std::string_view text) {
    std::optional<int> row = ParseInt(text);
    if (row && *row >= 1 && *row <= 16) return row;
    return std::nullopt;
}

// "A<separator>B" with both sides parsed, or nullopt.
template <typename T, typename ParseSide>
std::optional<std::pair<T, T>> ParsePair(std::string_view text, char separator, ParseSide parse) {
    std::size_t at = text.find(separator);
    if (at == std::string_view::npos) return std::nullopt;
    std::optional<T> first = parse(text.substr(0, at));
    std::optional<T> second = parse(text.substr(at + 1));
    if (!first || !second) return std::nullopt;
    return std::pair<T, T>{*first, *second};
}

bool IsKetaChoice(std::string_view text) {
    std::optional<int> digits = ParseInt(text);
    return digits && *digits >= -6 && *digits <= 4 && std::to_string(*digits) == text;
}

}  // namespace

std::optional<SolidColour> ParseCliColour(std::string_view text) {
    if (!text.empty() && text.front() == '#') {
        std::string_view hex = text.substr(1);
        if (hex.size() != 6) return std::nullopt;
        unsigned rgb = 0;
        auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
        if (ec != std::errc{} || ptr != hex.data() + hex.size()) return std::nullopt;
        return RgbColour(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
    }
    std::optional<int> value = ParseInt(text);
    if (value && *value >= 0 && *value <= 0xFFFFFF) return static_cast<SolidColour>(*value);
    return std::nullopt;
}

CliParse ParseCliOptions(std::span<const std::string> args) {
    CliParse result;
    CliOptions& o = result.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
            if (o.modeWord) return {o, "only one mode word may be given: " + std::string(arg)};
            o.modeWord = std::string(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name(arg.substr(0, arg.find('=')));
        std::optional<std::string> inlineValue;
        if (arg.find('=') != std::string_view::npos) inlineValue = std::string(arg.substr(arg.find('=') + 1));

        struct Flag {
            std::string_view name;
            bool CliOptions::*field;
        };
        static constexpr Flag kFlags[] = {{"--help", &CliOptions::help},
                                          {"-h", &CliOptions::help},
                                          {"--version", &CliOptions::version},
                                          {"--dry-run", &CliOptions::dryRun},
                                          {"--check", &CliOptions::check}};
        bool isFlag = false;
        for (const Flag& f : kFlags) {
            if (name != f.name) continue;
            if (inlineValue) return {o, name + " takes no value"};
            o.*f.field = isFlag = true;
        }
        if (isFlag) continue;
        static constexpr std::string_view kValued[] = {"--dir",  "--zfile", "--registry", "--table",
                                                        "--title", "--name", "--unit",     "--keta",
                                                        "--recolour", "--swap", "--print", "--svg"};
        bool valued = false;
        for (std::string_view known : kValued) valued = valued || name == known;
        if (!valued) return {o, "unknown option: " + name};
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return {o, name + " needs a value"};
        }

        if (name == "--dir") {
            if (value.empty()) return {o, "--dir needs a folder"};
            o.dir = value;
        } else if (name == "--zfile") {
            if (value.empty()) return {o, "--zfile needs a folder"};
            o.zfile = value;
        } else if (name == "--registry") {
            o.registry = value;
        } else if (name == "--svg") {
            if (value.empty()) return {o, "--svg needs a file"};
            o.svg = value;
        } else if (name == "--table") {
            o.table = value;
        } else if (name == "--title") {
            o.title = value;
        } else if (name == "--name" || name == "--unit") {
            std::size_t at = value.find('=');
            std::optional<int> row = at == std::string::npos ? std::nullopt : ParseRow(value.substr(0, at));
            if (!row) return {o, name + " takes ROW=TEXT, ROW 1..16: " + value};
            (name == "--name" ? o.names : o.units).push_back({*row, value.substr(at + 1)});
        } else if (name == "--keta") {
            if (!IsKetaChoice(value)) return {o, "--keta takes one of 4, 3, 2, 1, 0, -1 .. -6: " + value};
            o.keta = value;
        } else if (name == "--recolour") {
            auto colours = ParsePair<SolidColour>(value, '=', ParseCliColour);
            if (!colours) return {o, "--recolour takes OLD=NEW, each a decimal colour or #RRGGBB: " + value};
            o.recolours.push_back({colours->first, colours->second});
        } else if (name == "--swap") {
            auto rows = ParsePair<int>(value, ':', ParseRow);
            if (!rows) return {o, "--swap takes S:T, two rows 1..16: " + value};
            o.swaps.push_back({rows->first, rows->second});
        } else if (name == "--print") {
            if (value == "tsv") o.print = PrintFormat::Tsv;
            else if (value == "json") o.print = PrintFormat::Json;
            else return {o, "--print takes tsv or json: " + value};
        }
    }
    return result;
}

std::string CliUsage() {
    return "usage: vemora-cli [OPTIONS] [MODEWORD]\n"
           "\n"
           "Runs Vemora without a window: reads the program folder as Jw_cad's external\n"
           "transformation leaves it, makes the edits the options give, and presses OK.\n"
           "MODEWORD is the word Jw_cad's batch file passes (C2 new table, C1 previous table,\n"
           "M3 colour change, M4 layer distribution, M5 overlap order, M6 table creation,\n"
           "M7 layer names, CK solid check); only its last two characters count. No word: layer names\n"
           "of a running Jw_cad.\n"
           "\n"
           "  --dir DIR            program folder: TEMP.TXT, vemora.lst, Vemora.INI, koumoku.INI\n"
           "                       are read there, JWC_TEMP.TXT is written there (default: .)\n"
           "  --zfile DIR          folder of the coordinate file ZTEMP.TXT (default: Jw_cad's\n"
           "                       ZFILE value, else c:\\jww on Windows and DIR elsewhere)\n"
           "  --registry FILE      Jw_cad's registry values from a registry export file\n"
           "  --table FILE         open this table file (.JHY) as 表を開く does (mode M6)\n"
           "  --title TEXT         the table title (the layer-group selector in the layer-name modes)\n"
           "  --name ROW=TEXT      the item name of row ROW (1..16), as typed in its name cell\n"
           "  --unit ROW=ENTRY     the unit of row ROW as a list-file entry (坪,0.3025): sets the\n"
           "                       factor and recomputes a measured quantity (not for layer names)\n"
           "  --keta D             pick D in the rounding list (4 .. -6) and recompute the quantities\n"
           "  --recolour OLD=NEW   colour change (M3): rows of colour OLD get the new colour NEW;\n"
           "                       colours as decimal values or #RRGGBB\n"
           "  --swap S:T           drag row S's swatch onto row T (M4, M5, C1, C2)\n"
           "  --print tsv|json     print the table after the edits\n"
           "  --svg FILE           write the table drawing after the edits as an SVG picture\n"
           "                       (C2, C1, M6, M7: the modes that draw a table)\n"
           "  --check              print the solid check's findings (crossed, empty and overlapping\n"
           "                       solids: kind, row, other row, m², a point inside in drawing mm)\n"
           "                       as TSV, or as JSON with --print json, and stop before OK\n"
           "                       (C2, C1, CK: the modes that measure solids)\n"
           "  --dry-run            stop before OK: nothing is written but the SVG\n"
           "Edits apply in this order: --table, --title, --name, --unit, --keta, --recolour, --swap.\n"
           "  --help, --version\n"
           "\n"
           "Messages go to standard error; questions take the safe answer (No, Cancel).\n"
           "Exit status: 0 done, 1 unusable arguments, 2 a file OK had to write was not written,\n"
           "3 the program ended without output (a pen colour above 116).\n";
}
