// Shared by the output tests: golden files and drawings built line by line.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "base/File.h"
#include "base/Sjis.h"
#include "exchange/Drawing.h"
#include "model/Table.h"
#include "settings/TableSettings.h"

namespace fixture {

inline std::string DataPath(std::string_view name) {
    return std::string(VEMORA_TEST_DATA) + "/output/" + std::string(name);
}

// The expected bytes of an output (code page 932, CR LF).
inline std::string Golden(std::string_view name) {
    auto bytes = file::Read(DataPath(name));
    EXPECT_TRUE(bytes.has_value()) << "missing golden file " << name;
    return bytes.value_or("");
}

// Lines of a code page 932 output, decoded for readable failure messages.
inline std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string_view::npos; start = end + 2)
        lines.push_back(sjis::Decode(bytes.substr(start, end - start)));
    if (start < bytes.size())
        lines.push_back(sjis::Decode(bytes.substr(start)) + " <no CR LF>");
    return lines;
}

#define EXPECT_SAME_OUTPUT(actual, goldenName)                                          \
    do {                                                                                \
        std::string expectedBytes = fixture::Golden(goldenName);                        \
        EXPECT_EQ(fixture::Lines(actual), fixture::Lines(expectedBytes)) << goldenName; \
        EXPECT_EQ(actual, expectedBytes) << goldenName << ": bytes differ";             \
    } while (false)

// Builds what the exchange reader leaves: the file's bytes, the kept lines and the rows'
// record lists, each line pointing into the bytes.
class DrawingBuilder {
  public:
    using List = std::vector<LineRef> RowRecords::*;

    // A line kept in the other lines.
    DrawingBuilder& Other(std::string_view utf8) {
        drawing.otherLines.push_back(Append(utf8));
        return *this;
    }
    // A consumed line ("lc10 255"): an empty line among the other lines.
    LineRef Consumed(std::string_view utf8) {
        LineRef ref = Append(utf8);
        drawing.otherLines.push_back({ref.offset, 0});
        return ref;
    }
    // A solid record kept in a list of row `row`, consumed from the other lines.
    DrawingBuilder& Solid(Table& table, int row, List list, std::string_view utf8) {
        (table.Row(row).records.*list).push_back(Consumed(utf8));
        return *this;
    }

    Drawing drawing;

  private:
    LineRef Append(std::string_view utf8) {
        std::string bytes = sjis::Encode(utf8);
        LineRef ref{static_cast<std::uint32_t>(drawing.bytes.size()), static_cast<std::uint32_t>(bytes.size())};
        drawing.bytes += bytes + "\r\n";
        return ref;
    }
};

// A row as the analysis or the editor leaves it: both swatches in the colour, the unit
// caption `unit` with factor 1.
inline void SetRow(Table& table, int i, SolidColour colour, std::string name, std::string quantity, std::string unit) {
    TableRow& row = table.Row(i);
    PaintRow(row, colour);
    row.name = std::move(name);
    row.quantity = std::move(quantity);
    row.unitEntry = unit.empty() ? "" : unit + ",1";
}

// A table whose every swatch shows the background, as at start-up.
inline Table EmptyTable(SolidColour background) {
    Table table;
    for (int i = 1; i <= kRowCount; ++i)
        PaintRow(table.Row(i), background);
    return table;
}

// Header sizes of text type `type`: width, height, spacing.
inline void SetTextSize(Drawing& drawing, int type, std::string width, std::string height, std::string spacing) {
    drawing.textWidths[0] = "hcw";
    drawing.textHeights[0] = "hch";
    drawing.textSpacings[0] = "hcd";
    auto t = static_cast<std::size_t>(type);
    drawing.textWidths[t] = std::move(width);
    drawing.textHeights[t] = std::move(height);
    drawing.textSpacings[t] = std::move(spacing);
}

// The settings of the worked example: gaps 2, sample 20 wide, text type 5 on layer 3,
// samples on layer 1, all ruled lines on, names right-aligned.
inline TableSettings ExampleSettings() {
    TableSettings s;
    s.gapHeight = "2";
    s.gapWidth = "2";
    s.sampleWidth = "20";
    s.textType = "cn5";
    s.textLayer = "ly3";
    s.sampleLayer = "ly1";
    s.outerFrameColour = "lc1", s.outerFrameLayer = "ly2", s.outerFrameLineType = "lt1";
    s.verticalLineColour = "lc2", s.verticalLineLayer = "ly2", s.verticalLineType = "lt1";
    s.horizontalLineColour = "lc3", s.horizontalLineLayer = "ly2", s.horizontalLineType = "lt1";
    s.nameAlignment = 1;
    return s;
}

}  // namespace fixture
