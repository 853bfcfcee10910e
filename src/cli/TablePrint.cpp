#include "cli/TablePrint.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/Quantities.h"
#include "output/TableDrawing.h"

namespace {

bool RowPrinted(const Table& table, int i, SolidColour background) {
    return RowDrawn(table, i, background) || !table.Row(i).records.Empty();
}

std::string AreaText(const std::optional<double>& area) {
    if (!area) return {};
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, *area, std::chars_format::general, 12);
    return ec == std::errc{} ? std::string(buffer, ptr) : std::string();
}

// A number for JSON: null where there is none or it is not finite.
std::string JsonNumber(const std::optional<double>& value) {
    std::string text = value && std::isfinite(*value) ? AreaText(value) : std::string();
    return text.empty() ? "null" : text;
}

std::string TsvField(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace

std::string TableTsv(const Table& table, SolidColour background, const std::vector<TotalRow>& totals, bool seen) {
    std::string out = seen ? "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\tseen_m2\n"
                           : "row\tcolour\tsolids\tarea_m2\tquantity\tunit\tname\n";
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        if (!RowPrinted(table, i, background)) continue;
        out += std::to_string(i) + "\t" + std::to_string(row.colour) + "\t" + std::to_string(row.solidCount) +
               "\t" + AreaText(row.area) + "\t" + TsvField(row.quantity) + "\t" + TsvField(std::string(UnitCaption(row.unitEntry))) +
               "\t" + TsvField(row.name) + (seen ? "\t" + AreaText(row.seenArea) : std::string()) + "\n";
    }
    for (const TotalRow& total : totals)
        out += "\t\t\t\t" + TsvField(total.quantity) + "\t" + TsvField(total.unit) + "\t" + std::string(kTotalName) +
               (seen ? "\t" : "") + "\n";
    return out;
}

std::string TableJson(const Table& table,
                      SolidColour background,
                      const std::string& title,
                      const std::vector<TotalRow>& totals,
                      bool seen) {
    std::string out = "{\n  \"title\": " + JsonString(title) + ",\n  \"rows\": [";
    bool first = true;
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        if (!RowPrinted(table, i, background)) continue;
        std::string area = JsonNumber(row.area);
        out += std::string(first ? "\n" : ",\n") + "    {\"row\": " + std::to_string(i) +
               ", \"colour\": " + std::to_string(row.colour) +
               ", \"solids\": " + std::to_string(row.solidCount) +
               ", \"area_m2\": " + area + ", \"quantity\": " + JsonString(row.quantity) +
               ", \"unit\": " + JsonString(std::string(UnitCaption(row.unitEntry))) + ", \"name\": " + JsonString(row.name) +
               (seen ? ", \"seen_m2\": " + JsonNumber(row.seenArea) : std::string()) + "}";
        first = false;
    }
    for (const TotalRow& total : totals) {
        out += std::string(first ? "\n" : ",\n") +
               "    {\"row\": null, \"colour\": null, \"solids\": null, \"area_m2\": null, \"quantity\": " +
               JsonString(total.quantity) + ", \"unit\": " + JsonString(total.unit) +
               ", \"name\": " + JsonString(std::string(kTotalName)) + (seen ? ", \"seen_m2\": null" : "") +
               ", \"total\": true}";
        first = false;
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string FindingsTsv(const std::vector<Finding>& findings) {
    std::string out = "kind\trow\tother_row\tarea_m2\tx\ty\n";
    for (const Finding& f : findings)
        out += std::string(FindingWord(f.kind)) + "\t" + std::to_string(f.row) + "\t" +
               (f.otherRow != 0 ? std::to_string(f.otherRow) : std::string()) + "\t" + AreaText(f.area) + "\t" +
               AreaText(f.x) + "\t" + AreaText(f.y) + "\n";
    return out;
}

std::string FindingsJson(const std::vector<Finding>& findings) {
    std::string out = "{\n  \"findings\": [";
    bool first = true;
    for (const Finding& f : findings) {
        out += std::string(first ? "\n" : ",\n") + "    {\"kind\": " + JsonString(std::string(FindingWord(f.kind))) +
               ", \"row\": " + std::to_string(f.row) +
               ", \"other_row\": " + (f.otherRow != 0 ? std::to_string(f.otherRow) : "null") +
               ", \"area_m2\": " + JsonNumber(f.area) + ", \"x\": " + JsonNumber(f.x) + ", \"y\": " + JsonNumber(f.y) + "}";
        first = false;
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
