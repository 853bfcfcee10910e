#include "output/TableElements.h"

#include <algorithm>

#include "base/Format.h"
#include "model/Quantities.h"
#include "output/TotalRows.h"

namespace {

struct RuleMembers {
    std::int16_t TableSettings::*on;
    std::string TableSettings::*colour;
    std::string TableSettings::*layer;
    std::string TableSettings::*lineType;
};

// Indexed by RuleGroup.
constexpr RuleMembers kRuleMembers[kRuleGroups] = {
    {&TableSettings::outerFrame, &TableSettings::outerFrameColour, &TableSettings::outerFrameLayer,
     &TableSettings::outerFrameLineType},
    {&TableSettings::verticalLines, &TableSettings::verticalLineColour, &TableSettings::verticalLineLayer,
     &TableSettings::verticalLineType},
    {&TableSettings::horizontalLines, &TableSettings::horizontalLineColour, &TableSettings::horizontalLineLayer,
     &TableSettings::horizontalLineType},
};

std::string Pair(float a, float b) {
    return FormatSingle(a) + " " + FormatSingle(b);
}

// The row's texts: the name fitted into its column (left out when blank), the quantity
// right-aligned by characters, the unit.
TableElementRow RowTexts(std::string_view name,
                         std::string_view quantity,
                         std::string_view unit,
                         int nameWidth,
                         int quantityWidth,
                         int alignment,
                         const std::array<float, 3>& columns,
                         float y) {
    TableElementRow row;
    std::string fitted = FitText(name, nameWidth, alignment, " ");
    if (fitted.find_first_not_of(' ') != std::string::npos)
        row.texts.push_back({columns[0], y, std::move(fitted)});
    std::string padding(static_cast<std::size_t>(std::max(0, quantityWidth - CharCount(quantity))), ' ');
    row.texts.push_back({columns[1], y, padding + std::string(quantity)});
    row.texts.push_back({columns[2], y, std::string(unit)});
    return row;
}

}  // namespace

RuleSettings RuleSettingsOf(const TableSettings& settings, RuleGroup group) {
    const RuleMembers& m = kRuleMembers[static_cast<std::size_t>(group)];
    return {settings.*m.on == 1, settings.*m.colour, settings.*m.layer, settings.*m.lineType};
}

TableElements LayOutTable(const Table& table,
                          std::string_view title,
                          const TableSource& source,
                          const TableMetrics& m) {
    const TableSettings& settings = *source.settings;
    const bool layerNames = source.layerNameTable;
    const std::vector<TotalRow> totals =
        layerNames ? std::vector<TotalRow>{} : TotalRows(table, settings, source.background);
    const int rows =
        (layerNames ? kRowCount : DrawnRowCount(table, source.background)) + static_cast<int>(totals.size());
    int maxQty = WidestQuantity(table);
    int nameWidth = MaxNameWidth(table);
    int unitWidth = MaxUnitWidth(table, layerNames);
    for (const TotalRow& total : totals) {
        maxQty = std::max(maxQty, CharCount(total.quantity));
        nameWidth = std::max(nameWidth, MeasuredWidth(kTotalName));
        unitWidth = std::max(unitWidth, MeasuredWidth(total.unit));
    }

    // Lengths are single precision; the header's sizes enter as read, as double.
    auto columnWidth = [&](int n) {
        return static_cast<float>(m.textWidth * n / 2.0 + m.textSpacing * (n - 1) / 2.0 + 2.0 * m.gapW);
    };
    const float s = m.solidW + 2.0f * m.gapW;
    const float rowHeight = static_cast<float>(m.textHeight + 2.0 * m.gapH);
    const float n = columnWidth(nameWidth);
    const float q = layerNames ? 0.0f : columnWidth(maxQty);  // the layer-name table has no quantity column
    const float u = columnWidth(unitWidth);
    const float w = s + n + q + u;
    const float h = static_cast<float>(rows) * rowHeight;

    TableElements e;
    e.metrics = m;
    e.width = w;
    e.height = h;
    if (settings.outerFrame == 1) {
        e.rules.push_back({RuleGroup::OuterFrame, 0.0f, 0.0f, 0.0f, -h});
        e.rules.push_back({RuleGroup::OuterFrame, 0.0f, -h, w, -h});
        e.rules.push_back({RuleGroup::OuterFrame, w, -h, w, 0.0f});
        e.rules.push_back({RuleGroup::OuterFrame, w, 0.0f, 0.0f, 0.0f});
    }
    if (settings.verticalLines == 1) {
        auto vertical = [&](float x) { e.rules.push_back({RuleGroup::Vertical, x, 0.0f, x, -h}); };
        vertical(s);
        vertical(s + n);
        if (!layerNames)
            vertical(s + n + q);
    }
    if (settings.horizontalLines == 1) {
        for (int k = 1; k < rows; ++k) {
            float y = -static_cast<float>(k) * rowHeight;
            e.rules.push_back({RuleGroup::Horizontal, 0.0f, y, w, y});
        }
    }
    e.title = {1.0f, 1.0f, std::string(title)};

    const std::array<float, 3> columns = {s + m.gapW, s + n + m.gapW, s + n + q + m.gapW};
    const int alignment = static_cast<int>(settings.nameAlignment);
    int k = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        if (!RowDrawn(table, i, source.background))
            continue;
        ++k;
        const TableRow& row = table.Row(i);
        const float yBottom = -static_cast<float>(k) * rowHeight + m.gapH;
        const float yTop = -static_cast<float>(k - 1) * rowHeight - m.gapH;
        e.rows.push_back(RowTexts(row.name, row.quantity, UnitColumnText(row, layerNames), nameWidth, maxQty, alignment,
                                  columns, yBottom));
        if (row.colour != source.background)
            e.rows.back().sample = ColourSample{m.gapW,     s - m.gapW,   yBottom, yTop, static_cast<double>(s) / 2.0,
                                                row.colour, row.newColour};
    }
    for (const TotalRow& total : totals) {
        ++k;
        e.rows.push_back(RowTexts(kTotalName, total.quantity, total.unit, nameWidth, maxQty, alignment, columns,
                                  -static_cast<float>(k) * rowHeight + m.gapH));
    }
    return e;
}

void WriteTableElements(const TableElements& e, const TableSettings& settings, RecordWriter& out) {
    for (int g = 0; g < kRuleGroups; ++g) {
        const RuleGroup group = static_cast<RuleGroup>(g);
        const RuleSettings rule = RuleSettingsOf(settings, group);
        if (!rule.on)
            continue;
        out.Line(rule.colour);
        out.Line(rule.layer);
        out.Line(rule.lineType);
        // The outer frame goes round from the origin in relative steps.
        if (group == RuleGroup::OuterFrame)
            out.Line("r1");
        for (const RuledLine& line : e.rules) {
            if (line.group != group)
                continue;
            if (group == RuleGroup::OuterFrame)
                out.Line(Pair(line.x2 - line.x1, line.y2 - line.y1));
            else
                out.Line(Pair(line.x1, line.y1) + " " + Pair(line.x2, line.y2));
        }
        if (group == RuleGroup::OuterFrame)
            out.Line("r0");
    }
    out.Line(settings.textType);
    out.Line("ch " + Pair(e.title.x, e.title.y) + " 2 0\"" + e.title.text);
    for (const TableElementRow& row : e.rows) {
        out.Line(settings.textLayer);
        for (const TableText& text : row.texts)
            out.Line("ch " + Pair(text.x, text.y) + " 1 0 \"" + text.text);
        if (!row.sample)
            continue;
        // Two halves of the sample: the right swatch's colour right, the row's colour left.
        const ColourSample& c = *row.sample;
        const std::string middle = FormatDouble(c.middle), bottom = FormatSingle(c.bottom), top = FormatSingle(c.top);
        out.Line(settings.sampleLayer);
        out.Line("lc10 " + std::to_string(c.rightColour));
        out.Line("sl " + middle + " " + bottom + " " + middle + " " + top + " " + Pair(c.right, c.top) + " " +
                 Pair(c.right, c.bottom));
        out.Line("lc10 " + std::to_string(c.leftColour));
        out.Line("sl " + Pair(c.left, c.bottom) + " " + Pair(c.left, c.top) + " " + middle + " " + top + " " + middle +
                 " " + bottom);
    }
}
