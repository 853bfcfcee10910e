#include "output/TablePicture.h"

#include <algorithm>
#include <cmath>

#include "base/Format.h"
#include "base/Numbers.h"
#include "base/Sjis.h"
#include "base/Text.h"
#include "output/ModeOutputs.h"

namespace {

// The number after the keyword of an attribute record ("lc5" gives 5), or -1.
long RecordNumber(std::string_view record, std::string_view keyword) {
    record = text::TrimBlanks(record);
    if (!text::StartsWithNoCase(record, keyword))
        return -1;
    std::optional<double> n = numbers::ParseNumber(record.substr(keyword.size()));
    return n && *n >= 0 && *n < kPenTableSize && std::trunc(*n) == *n ? static_cast<long>(*n) : -1;
}

// Pen colour n as Jw_cad shows it; black without pens or for a number that names no pen
// colour (0, the background, and 10, the arbitrary colour of solids, included).
SolidColour PenColour(long n, const PenColourTable* pens) {
    return pens && n > 0 && n != 10 ? (*pens)[static_cast<std::size_t>(n)] : kBlack;
}

// Jw_cad's line types 2..9 (dotted, dash-dot, dash-dot-dot, auxiliary) as dash patterns; any
// other is drawn solid.
std::vector<float> Dashes(long lineType) {
    switch (lineType) {
        case 2:
            return {1.0f, 1.0f};
        case 3:
            return {2.0f, 1.0f};
        case 4:
            return {0.5f, 1.0f};
        case 5:
            return {4.0f, 1.0f, 0.5f, 1.0f};
        case 6:
            return {8.0f, 1.0f, 0.5f, 1.0f};
        case 7:
            return {4.0f, 1.0f, 0.5f, 1.0f, 0.5f, 1.0f};
        case 8:
            return {8.0f, 1.0f, 0.5f, 1.0f, 0.5f, 1.0f};
        case 9:
            return {0.5f, 0.5f};
        default:
            return {};
    }
}

TableLook LookOf(const OkRequest& request, int textType, const PenColourTable* pens) {
    TableLook look;
    look.background = request.background;
    const HeaderArray& textPens = request.drawing.textColours;
    if (textType > 0 && textType < static_cast<int>(textPens.size()))
        look.text = PenColour(RecordNumber(textPens[static_cast<std::size_t>(textType)], ""), pens);
    for (int g = 0; g < kRuleGroups; ++g) {
        RuleSettings rule = RuleSettingsOf(request.settings, static_cast<RuleGroup>(g));
        look.rules[static_cast<std::size_t>(g)] = {PenColour(RecordNumber(rule.colour, "lc"), pens),
                                                   Dashes(RecordNumber(rule.lineType, "lt"))};
    }
    return look;
}

}  // namespace

bool DrawsTable(OkOutput output) {
    return output == OkOutput::AreaTable || output == OkOutput::LayerNameTable;
}

TablePicture PictureOfTable(const OkRequest& request, const PenColourTable* pens) {
    TablePicture picture;
    if (!DrawsTable(request.output))
        return picture;
    MetricsResult metrics = ReadTableMetrics(request.settings, request.drawing);
    if (!metrics.metrics) {
        picture.message = metrics.error;
        return picture;
    }
    const bool layerNames = request.output == OkOutput::LayerNameTable;
    Table named = layerNames ? request.table : Table{};
    std::string title = request.title;
    if (layerNames) {
        RecordWriter unused;  // the layer-name records are not part of the picture
        WriteExternalLayerNames(named, title, unused);
    }
    picture.elements =
        LayOutTable(layerNames ? named : request.table, title,
                    {&request.drawing, &request.settings, request.background, layerNames}, *metrics.metrics);
    picture.look = LookOf(request, metrics.metrics->textType, pens);
    return picture;
}

std::vector<PlacedCharacter> PlaceCharacters(const TableText& text, const TableMetrics& m) {
    std::vector<PlacedCharacter> placed;
    const double halfPitch = (m.textWidth + m.textSpacing) / 2.0;
    int bytesBefore = 0;
    text::ForEachUtf8Sequence(WithoutUnderlineCodes(text.text), [&](std::string_view character, bool valid) {
        const int bytes = static_cast<int>(sjis::ByteWidth(character));
        const bool blank = character.size() == 1 && static_cast<unsigned char>(character[0]) <= ' ';
        if (!blank)
            placed.push_back(
                {valid ? std::string(character) : "\uFFFD", static_cast<float>(text.x + bytesBefore * halfPitch)});
        bytesBefore += bytes;
    });
    return placed;
}

PictureBox BoxOf(const TableElements& e) {
    PictureBox box{0.0f, -e.height, e.width, 0.0f};
    auto include = [&](const TableText& text) {
        const double bytes = MeasuredWidth(text.text);
        const double width = e.metrics.textWidth * bytes / 2.0 + e.metrics.textSpacing * std::max(0.0, bytes - 1) / 2.0;
        box.left = std::min(box.left, text.x);
        box.right = std::max(box.right, static_cast<float>(text.x + width));
        box.bottom = std::min(box.bottom, text.y);
        box.top = std::max(box.top, static_cast<float>(text.y + e.metrics.textHeight));
    };
    include(e.title);
    for (const TableElementRow& row : e.rows)
        for (const TableText& text : row.texts)
            include(text);
    return box;
}
