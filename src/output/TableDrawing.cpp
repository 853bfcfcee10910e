#include "output/TableDrawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/Numbers.h"
#include "exchange/SolidAnalysis.h"
#include "base/Format.h"
#include "model/Quantities.h"
#include "output/TableElements.h"

namespace {

// A number typed into a settings box or read from a header record, blanks around it allowed.
std::optional<double> NumberText(std::string_view text) {
    return numbers::ParseNumber(text::TrimBlanks(text));
}

std::optional<int> IntegerText(std::string_view text) {
    auto value = NumberText(text);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e9)
        return std::nullopt;
    return static_cast<int>(*value);
}

template <typename Measure>
int MaxOverRows(const Table& table, Measure measure) {
    int widest = 0;
    for (int i = 1; i <= kRowCount; ++i)
        widest = std::max(widest, measure(table.Row(i)));
    return widest;
}

std::string SettingMessage(std::string_view caption, std::string_view key, std::string_view value) {
    return "作表設定「" + std::string(caption) + "」(" + std::string(key) + ") の値「" + std::string(value) +
           "」は数値ではありません。\r\n表を作成できませんでした。";
}

bool IsOn(std::int16_t checkState) {
    return checkState == 1;
}

void WriteAnnotations(const Table& table,
                      const Drawing& drawing,
                      const TableSettings& settings,
                      const TableMetrics& m,
                      RecordWriter& out) {
    const bool numbers = IsOn(settings.annotateNumbers), areas = IsOn(settings.annotateAreas);
    if (!numbers && !areas)
        return;
    const std::vector<MeasuredSolid> solids = MeasuredSolids(table, drawing);
    if (numbers) {
        for (std::size_t n = 0; n < solids.size(); ++n)
            out.Line("ch " + FormatDouble(solids[n].centreX) + " " + FormatDouble(solids[n].centreY) + " 1 0 \"(" +
                     std::to_string(n + 1) + ")");
    }
    if (areas) {
        // One text height of the drawing's scale below the serial number.
        double below = static_cast<double>(drawing.attributes.groupScale) * m.textHeight;
        for (const MeasuredSolid& s : solids)
            out.Line("ch " + FormatDouble(s.centreX) + " " + FormatDouble(s.centreY - below) + " 1 0 \"" +
                     FormatQuantity(s.area, m.areaDigits));
    }
}

}  // namespace

bool RowDrawn(const Table& table, int i, SolidColour background) {
    const TableRow& row = table.Row(i);
    return RowInUse(row, background) || (!row.records.sl.empty() && !row.quantity.empty());
}

int DrawnRowCount(const Table& table, SolidColour background) {
    int count = 0;
    for (int i = 1; i <= kRowCount; ++i)
        if (RowDrawn(table, i, background))
            ++count;
    return count;
}

int WidestQuantity(const Table& table) {
    return MaxOverRows(table, [](const TableRow& row) { return CharCount(row.quantity); });
}

int MaxNameWidth(const Table& table) {
    return MaxOverRows(table, [](const TableRow& row) { return MeasuredWidth(row.name); });
}

int MaxUnitWidth(const Table& table, bool layerNameTable) {
    return MaxOverRows(table, [&](const TableRow& row) { return MeasuredWidth(UnitColumnText(row, layerNameTable)); });
}

std::string_view UnitColumnText(const TableRow& row, bool layerNameTable) {
    return layerNameTable ? std::string_view(row.unitEntry) : UnitCaption(row.unitEntry);
}

namespace {

// Lengths beyond this many millimetres overflow the single-precision geometry of the table:
// such a size is refused like one that is no number, so no "Infinity" reaches the file.
constexpr double kLargestLength = 1e30;

bool UsableLength(std::optional<double> value) {
    return value && std::isfinite(*value) && std::fabs(*value) <= kLargestLength;
}

}  // namespace

MetricsResult ReadTableMetrics(const TableSettings& settings, const Drawing& drawing) {
    TableMetrics m;
    struct Gap {
        const char* caption;
        const char* key;
        const std::string& text;
        float& value;
    } gaps[] = {
        {"文字と枠の隙間高", "Sukima_H", settings.gapHeight, m.gapH},
        {"文字と枠の隙間幅", "Sukima_W", settings.gapWidth, m.gapW},
        {"表内のソリッドの幅", "Solid_W", settings.sampleWidth, m.solidW},
    };
    for (Gap& gap : gaps) {
        auto value = NumberText(gap.text);
        if (!UsableLength(value))
            return {std::nullopt, SettingMessage(gap.caption, gap.key, gap.text)};
        gap.value = static_cast<float>(*value);
    }

    // "cn10" gives 10; without a setting the table takes the drawing's current text type.
    bool fromSetting = !settings.textType.empty();
    std::string typeText = fromSetting ? settings.textType : "cn" + drawing.attributes.textType;
    auto type = IntegerText(std::string_view(typeText).substr(std::min<std::size_t>(2, typeText.size())));
    std::optional<double> width, height, spacing;
    if (type && *type >= 0 && *type < static_cast<int>(drawing.textWidths.size())) {
        auto t = static_cast<std::size_t>(*type);
        width = NumberText(drawing.textWidths[t]);
        height = NumberText(drawing.textHeights[t]);
        spacing = NumberText(drawing.textSpacings[t]);
    }
    if (!UsableLength(width) || !UsableLength(height) || !UsableLength(spacing)) {
        std::string source = fromSetting ? "作表設定「文字種」(Mojishu) の" : "図面の現在の";
        return {std::nullopt,
                source + "文字種「" + typeText + "」には文字の大きさがありません。\r\n表を作成できませんでした。"};
    }
    m.textType = *type;
    m.textWidth = *width;
    m.textHeight = *height;
    m.textSpacing = *spacing;

    if (IsOn(settings.annotateAreas)) {
        auto digits = IntegerText(settings.rounding);
        if (!digits)
            return {std::nullopt, SettingMessage("数量の丸め", "Keta", settings.rounding)};
        m.areaDigits = *digits;
        // The area is written one text height of the drawing's scale below the number.
        if (!UsableLength(static_cast<double>(drawing.attributes.groupScale) * m.textHeight))
            return {std::nullopt, "図面の縮尺が大きすぎるため、面積を記入できません。\r\n表を作成できませんでした。"};
    }
    return {m, {}};
}

void DrawTable(const Table& table,
               std::string_view title,
               const TableSource& source,
               const TableMetrics& m,
               RecordWriter& out) {
    out.Line("#");
    WriteAnnotations(table, *source.drawing, *source.settings, m, out);
    out.Line("bz");
    WriteTableElements(LayOutTable(table, title, source, m), *source.settings, out);
    // The message counts the colour rows, not the total rows.
    const int rows = source.layerNameTable ? kRowCount : DrawnRowCount(table, source.background);
    out.Line("h# " + std::to_string(rows) + "色 " + std::to_string(MeasuredSolidCount(table)) +
             "個のソリッド図形の面積を測定・作表しました。 ");
}
