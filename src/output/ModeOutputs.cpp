#include "output/ModeOutputs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/Format.h"
#include "base/Sjis.h"
#include "base/Text.h"

namespace {

// The selector's characters. An ill-formed sequence (a stray continuation, a truncated or
// overlong form) is U+FFFD, never the ASCII character an overlong form spells: "\xC1\x9E"
// must not become a negating "^".
std::u32string CodePoints(std::string_view utf8) {
    std::u32string out;
    text::ForEachUtf8Sequence(utf8, [&](std::string_view sequence, bool valid) {
        out += valid ? text::DecodeUtf8(sequence) : U'\uFFFD';
    });
    return out;
}

bool Forbidden(char32_t c) {
    return c == U'[' || c == U']' || c == U'\\';
}

// The bracket expression "[" + element + "]" against one digit, ignoring case. An element
// a regular expression would reject, or one whose set is empty, matches nothing.
bool ElementMatches(std::u32string_view element, char32_t digit) {
    char32_t lower = digit >= U'A' && digit <= U'Z' ? digit - U'A' + U'a' : digit;
    bool negate = !element.empty() && element.front() == U'^';
    if (negate)
        element.remove_prefix(1);
    if (element.empty())
        return false;
    bool inSet = false;
    for (std::size_t i = 0; i < element.size();) {
        char32_t first = element[i];
        char32_t last = first;
        if (i + 2 < element.size() && element[i + 1] == U'-') {
            last = element[i + 2];
            i += 3;
        } else {
            i += 1;
        }
        if (Forbidden(first) || Forbidden(last) || first > last)
            return false;
        inSet = inSet || (first <= digit && digit <= last) || (first <= lower && lower <= last);
    }
    return inSet != negate;
}

std::string Digit(int number) {
    return std::string(1, UpperHexDigit(number));
}

// A block: its lines as read, then one empty line (an empty block gives the empty line alone).
void WriteBlock(const Drawing& drawing, const std::vector<LineRef>& lines, const LineOutput& out) {
    for (const LineRef& line : lines)
        out(drawing.Text(line));
    out("");
}

void WriteRowRecords(const Drawing& drawing, const RowRecords& r, const LineOutput& out) {
    for (const auto* block : {&r.sl4, &r.sl, &r.sc, &r.se, &r.so, &r.sg})
        WriteBlock(drawing, *block, out);
}

// The last row the recolouring writes. Its rows are the ones the analysis filled, 1 ..
// firstFreeRow - 1, and
// cannot be moved, added or cleared; a row coloured like the background counts too, so the
// count of named or coloured rows alone would drop it. Rows with kept records are included
// wherever they stand.
int LastRecolouredRow(const Table& table, SolidColour background) {
    int last = table.firstFreeRow - 1;
    int inUse = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        if (RowInUse(table.Row(i), background))
            ++inUse;
        if (!table.Row(i).records.Empty())
            last = std::max(last, i);
    }
    return std::clamp(std::max(last, inUse), 0, kRowCount);
}

// Per selected group: "lg" and the group digit, then "ly" and "lyn" for the rows' names.
// Returns whether any group was selected.
bool WriteGroupNames(std::string_view selector,
                     const std::array<std::string, kRowCount + 1>& names,
                     bool includeEmpty,
                     RecordWriter& out) {
    bool any = false;
    for (int g = 1; g <= kRowCount; ++g) {
        if (!LayerGroupMatches(selector, g))
            continue;
        any = true;
        out.Line("lg" + Digit(g));
        for (int p = 1; p <= kRowCount; ++p) {
            const std::string& name = names[static_cast<std::size_t>(p)];
            if (name.empty() && !includeEmpty)
                continue;
            out.Line("ly" + Digit(p));
            out.Line("lyn" + name);
        }
    }
    return any;
}

std::array<std::string, kRowCount + 1> Names(const Table& table) {
    std::array<std::string, kRowCount + 1> names;
    for (int p = 1; p <= kRowCount; ++p)
        names[static_cast<std::size_t>(p)] = table.Row(p).name;
    return names;
}

}  // namespace

bool LayerGroupMatches(std::string_view selector, int group) {
    if (selector == "*")
        return true;
    const char32_t digit = static_cast<unsigned char>(UpperHexDigit(group));
    std::size_t start = 0;
    while (true) {
        std::size_t comma = selector.find(',', start);
        std::string_view element = selector.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (ElementMatches(CodePoints(element), digit))
            return true;
        if (comma == std::string_view::npos)
            return false;
        start = comma + 1;
    }
}

void WriteRewrite(const Table& table,
                  const Drawing& drawing,
                  SolidColour background,
                  RewriteKind kind,
                  const LineOutput& out) {
    out("hd");
    drawing.otherLines.ForEach(drawing.bytes, out);
    out("");
    if (kind == RewriteKind::Recolour) {
        // Every row from the top, each solid recoloured to its row's right swatch.
        for (int p = 1; p <= LastRecolouredRow(table, background); ++p) {
            out("lc10 " + std::to_string(table.Row(p).newColour));
            WriteRowRecords(drawing, table.Row(p).records, out);
        }
        return;
    }
    for (int p = 1; p <= kRowCount; ++p) {
        const TableRow& row = table.Row(p);
        if (row.colour == background && row.records.Empty())
            continue;
        if (kind == RewriteKind::LayerDistribution)
            out("ly" + Digit(p));
        out("lc10 " + std::to_string(row.colour));
        WriteRowRecords(drawing, row.records, out);
    }
}

void WriteRewrite(const Table& table,
                  const Drawing& drawing,
                  SolidColour background,
                  RewriteKind kind,
                  RecordWriter& out) {
    WriteRewrite(table, drawing, background, kind, [&out](std::string_view line) { out.RawLine(line); });
}

void WriteCheckResult(const Drawing& drawing,
                      const std::vector<Finding>& findings,
                      const TableSettings& settings,
                      const LineOutput& out) {
    out("hd");
    // The lines as they stand in the file, whatever their line ends, but for the header and
    // control records ("hq", "hs", "hcw", ...), which the rewrites do not send back either.
    const std::string_view bytes = drawing.bytes;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        if (end == at || text::FoldAscii(bytes[at]) != 'h')
            out(bytes.substr(at, end - at));
        at = end < bytes.size() && bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    }
    out(sjis::Encode(settings.checkLayer));
    out(sjis::Encode(settings.checkColour));
    out("lt1");  // solid: the file may end in a dotted or auxiliary line type, which does not print
    const double scale = drawing.attributes.groupScale > 0 ? static_cast<double>(drawing.attributes.groupScale) : 100.0;
    for (const Finding& f : findings) {
        const double radius = std::ceil(std::max(1000 * std::sqrt(f.area / std::numbers::pi), 5 * scale));
        const std::string point = FormatDouble(f.x) + " " + FormatDouble(f.y);
        out("ci " + point + " " + FormatDouble(radius));
        std::string label(FindingLabel(f.kind));
        if (f.kind != FindingKind::Empty) label += " " + FormatQuantity(f.area, 3) + "㎡";
        out(sjis::Encode("ch " + point + " 1 0 \"" + label));
    }
}

void WriteLayerNames(const Table& table, std::string_view selector, RecordWriter& out) {
    WriteGroupNames(selector, Names(table), false, out);
    out.Line("ch 0 0 0 0 \"レイヤ名を設定しました。 ");
}

void WriteExternalLayerNames(Table& table, std::string& title, RecordWriter& out) {
    title = "レイヤグループ:" + title;
    const auto names = Names(table);
    if (WriteGroupNames(title, names, true, out)) {
        for (int p = 1; p <= kRowCount; ++p) {
            TableRow& row = table.Row(p);
            row.name = "レイヤ" + Digit(p);
            row.unitEntry = names[static_cast<std::size_t>(p)];
        }
    }
    out.Line("h#レイヤ名を設定しました");
}
