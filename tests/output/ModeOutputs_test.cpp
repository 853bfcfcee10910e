// The layer-group selector and the result files of the rewrites; the layer names are written
// through the form model (tests/data/output/form/ok-command.txt).
#include "output/ModeOutputs.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/File.h"
#include "base/Sjis.h"

namespace {

// What the exchange reader leaves: the file's bytes, the kept lines and the rows' record
// lists, each line pointing into the bytes.
struct DrawingBuilder {
    Table table;
    Drawing drawing;

    // Rows in these colours, the rest in the background's (white), as the reader fills them.
    explicit DrawingBuilder(std::initializer_list<SolidColour> colours) {
        for (int i = 1; i <= kRowCount; ++i) PaintRow(table.Row(i), kWhite);
        for (SolidColour colour : colours) PaintRow(table.Row(table.firstFreeRow++), colour);
    }
    // A line kept among the other lines.
    DrawingBuilder& Other(std::string_view utf8) {
        drawing.otherLines.Add(Append(utf8));
        return *this;
    }
    // A solid record in list `list` of row `row`, consumed from the other lines ("lc10 255" with a
    // null list: consumed only).
    DrawingBuilder& Solid(int row, std::vector<LineRef> RowRecords::*list, std::string_view utf8) {
        LineRef ref = Append(utf8);
        drawing.otherLines.Add({ref.offset, 0});
        if (list) (table.Row(row).records.*list).push_back(ref);
        return *this;
    }
    LineRef Append(std::string_view utf8) {
        std::string bytes = sjis::Encode(utf8);
        LineRef ref{static_cast<std::uint32_t>(drawing.bytes.size()), static_cast<std::uint32_t>(bytes.size())};
        drawing.bytes += bytes + "\r\n";
        return ref;
    }
};

}  // namespace

// "*" or bracket-expression contents separated by commas, without regard to case. An element
// that is no valid bracket content matches nothing; the others still count.
TEST(LayerGroupMatches, BracketExpressions) {
    const char* cases[][2] = {  // selector, groups 0..F
        {"*", "1111111111111111"},     {"0-3,A", "1111000000100000"}, {"a", "0000000000100000"},
        {"^0", "0111111111111111"},    {"^0-3", "0000111111111111"},  {"0-9", "1111111111000000"},
        {"A-f", "0000000000111111"},   {"0-", "1000000000000000"},    {"0,,1", "1100000000000000"},
        {"f-0,2", "0010000000000000"}, {"", "0000000000000000"},      {"xyz", "0000000000000000"},
        {" *", "0000000000000000"},    {"^", "0000000000000000"},     {"a-F", "0000000000000000"},
        {"[0]", "0000000000000000"},   {"0]", "0000000000000000"},    {"0\\", "0000000000000000"},
        {"0-2A", "1110000000100000"},  {"0-]", "0000000000000000"},   {"1,^,3", "0101000000000000"},
        {"レイヤグループ:*", "0000000000000000"}, {"レイヤグループ:1,3-4", "0101100000000000"},
    };
    for (auto [selector, expected] : cases) {
        std::string groups;
        for (int g = 1; g <= kRowCount; ++g)
            groups += LayerGroupMatches(selector, g) ? '1' : '0';
        EXPECT_EQ(groups, expected) << selector;
    }
}

// The result file of each rewrite. The usual drawing: rows blue, yellow and red among other
// figures; in the other one a white solid on a white background has a row whose swatch looks
// empty, and its figures must still go back (Jw_cad deletes everything selected first).
TEST(ModeOutputs, RewriteGoldens) {
    struct Case {
        RewriteKind kind;
        bool background;
        void (*edit)(Table&);
        const char* golden;
    } cases[] = {
        {RewriteKind::Recolour, false, [](Table& t) { t.Row(1).newColour = kGreen; }, "mode3.jwc_temp.txt"},
        // Rows at 1, 3 and 5: layers 0, 2 and 4.
        {RewriteKind::LayerDistribution, false, [](Table& t) { std::swap(t.Row(2), t.Row(5)); }, "mode4.jwc_temp.txt"},
        {RewriteKind::DrawOrder, false,
         [](Table& t) { std::swap(t.Row(1), t.Row(3)), std::swap(t.Row(2), t.Row(5)); }, "mode5.jwc_temp.txt"},
        {RewriteKind::Recolour, true, [](Table&) {}, "background.mode3.jwc_temp.txt"},
        {RewriteKind::LayerDistribution, true, [](Table&) {}, "background.mode4.jwc_temp.txt"},
        {RewriteKind::DrawOrder, true, [](Table&) {}, "background.mode5.jwc_temp.txt"},
    };
    for (const Case& c : cases) {
        DrawingBuilder b = c.background ? DrawingBuilder{kWhite, kRed} : DrawingBuilder{kBlue, 65535, kRed};
        if (c.background) {
            b.Solid(1, &RowRecords::sl, "sl 0 0 1000 0 1000 1000").Solid(2, &RowRecords::sl, "sl 0 0 2000 0 2000 1000");
        } else {
            b.Other("lg0").Other("ly1").Other("lc2").Solid(1, &RowRecords::sl, "sl 0 0 1000 0 1000 1000 0 1000");
            b.Other("ci 0 0 500").Other("lc3").Solid(2, &RowRecords::sl4, "sl 0 0 10 10");
            b.Solid(2, &RowRecords::sc, "sc 0 0 500 0 360 1 0").Solid(0, nullptr, "lc10 255");
            b.Solid(3, &RowRecords::sl, "sl 0 0 1000 0 0 1000").Other("ch 0 0 1 0 \"文字").Solid(1, &RowRecords::sl, "sl 5 5 6 5 6 6");
        }
        c.edit(b.table);
        RecordWriter out;
        WriteRewrite(b.table, b.drawing, kWhite, c.kind, out);
        const std::string golden = file::Read(std::string(VEMORA_TEST_DATA "/output/") + c.golden).value_or("<missing>");
        EXPECT_EQ(sjis::Decode(out.Bytes()), sjis::Decode(golden)) << c.golden;  // readable lines first
        EXPECT_TRUE(out.Bytes() == golden) << c.golden << ": bytes differ";
    }
}

namespace {

// The check's result gives back every line after the first whatever its line end, the last one
// too when it has none, then the markers (a scale of 0 counts as 1/100: radius 5 paper mm).
TEST(ModeOutputs, CheckResultKeepsEveryLineAfterTheFirst) {
    const std::string markers = "|lyF|lc8|lt1|ci 7000 0 500|" + sjis::Encode("ch 7000 0 1 0 \"面積0") + "|";
    const std::pair<std::string, std::string> cases[] = {
        {"hq\r\nsl 0 0 1 1\r\n", "hd|sl 0 0 1 1"},
        {"hq\nly1\n\nsl 0 0 1 1", "hd|ly1||sl 0 0 1 1"},
        {"hq\rly1\r\r\n ch", "hd|ly1|| ch"},
        {"hq", "hd"},
    };
    for (const auto& [bytes, lines] : cases) {
        Drawing drawing;
        drawing.bytes = bytes;
        std::string written;
        WriteCheckResult(drawing, {Finding{FindingKind::Empty, 1, 0, 0.0, 7000, 0}}, TableSettings{},
                         [&](std::string_view line) { written += (written.empty() ? "" : "|") + std::string(line); });
        EXPECT_EQ(written + "|", lines + markers) << bytes;
    }
}

}  // namespace
