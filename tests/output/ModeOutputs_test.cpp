#include "output/ModeOutputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "OutputFixture.h"
#include "exchange/ExchangeReader.h"

using fixture::DrawingBuilder;
using fixture::EmptyTable;
using fixture::SetRow;

namespace {

constexpr SolidColour kYellow = 65535;

// Three rows of solids among other figures, as the reader leaves them in a rewrite mode.
struct RewriteCase {
    Table table = EmptyTable(kWhite);
    DrawingBuilder b;

    RewriteCase() {
        SetRow(table, 1, kBlue, "", "", "");
        SetRow(table, 2, kYellow, "", "", "");
        SetRow(table, 3, kRed, "", "", "");
        table.firstFreeRow = 4;
        b.Other("lg0").Other("ly1").Other("lc2");
        b.Solid(table, 1, &RowRecords::sl, "sl 0 0 1000 0 1000 1000 0 1000");
        b.Other("ci 0 0 500").Other("lc3");
        b.Solid(table, 2, &RowRecords::sl4, "sl 0 0 10 10");
        b.Solid(table, 2, &RowRecords::sc, "sc 0 0 500 0 360 1 0");
        b.Consumed("lc10 255");
        b.Solid(table, 3, &RowRecords::sl, "sl 0 0 1000 0 0 1000");
        b.Other("ch 0 0 1 0 \"文字");
        b.Solid(table, 1, &RowRecords::sl, "sl 5 5 6 5 6 6");
    }
    std::string Write(RewriteKind kind) const {
        RecordWriter out;
        WriteRewrite(table, b.drawing, kWhite, kind, out);
        return out.Bytes();
    }
    // The drop of row s on row t: everything the row shows and its records change places.
    void Exchange(int s, int t) { std::swap(table.Row(s), table.Row(t)); }
};

constexpr RewriteKind kRewriteKinds[] = {RewriteKind::Recolour, RewriteKind::LayerDistribution,
                                         RewriteKind::DrawOrder};

std::string Mask(std::string_view selector) {
    std::string mask;
    for (int g = 1; g <= kRowCount; ++g)
        mask += LayerGroupMatches(selector, g) ? '1' : '0';
    return mask;
}

}  // namespace

TEST(LayerGroupMatches, BracketExpressions) {
    struct Case {
        const char* selector;
        const char* groups;  // groups 0..F
    } cases[] = {
        {"*", "1111111111111111"},
        {"0-3,A", "1111000000100000"},
        {"a", "0000000000100000"},
        {"^0", "0111111111111111"},
        {"^0-3", "0000111111111111"},
        {"0-9", "1111111111000000"},
        {"A-f", "0000000000111111"},  // A..f spans both cases of every letter digit
        {"0-", "1000000000000000"},   // a trailing "-" is itself a member
        {"0,,1", "1100000000000000"},
        {"f-0,2", "0010000000000000"},  // the reversed range matches nothing, the rest still counts
        {"", "0000000000000000"},
        {"xyz", "0000000000000000"},
        {" *", "0000000000000000"},
        {"^", "0000000000000000"},
        {"a-F", "0000000000000000"},
        {"[0]", "0000000000000000"},
        {"0]", "0000000000000000"},
        {"0\\", "0000000000000000"},
        {"レイヤグループ:*", "0000000000000000"},
        {"レイヤグループ:1,3-4", "0101100000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Mask(c.selector), c.groups) << c.selector;
}

TEST(ModeOutputs, ColourChangeWritesEveryRowWithItsNewColour) {
    RewriteCase c;
    c.table.Row(1).newColour = kGreen;
    EXPECT_SAME_OUTPUT(c.Write(RewriteKind::Recolour), "mode3.jwc_temp.txt");
}

TEST(ModeOutputs, LayerDistributionFollowsRowPositions) {
    RewriteCase c;
    c.Exchange(2, 5);  // rows at 1, 3 and 5: layers 0, 2 and 4
    EXPECT_SAME_OUTPUT(c.Write(RewriteKind::LayerDistribution), "mode4.jwc_temp.txt");
}

TEST(ModeOutputs, OverlapChangeWritesRowsInTableOrder) {
    RewriteCase c;
    c.Exchange(1, 3);
    c.Exchange(2, 5);
    EXPECT_SAME_OUTPUT(c.Write(RewriteKind::DrawOrder), "mode5.jwc_temp.txt");
}

TEST(ModeOutputs, NoRowsGiveTheKeptLinesOnly) {
    Table table = EmptyTable(kWhite);
    DrawingBuilder b;
    b.Other("ci 0 0 500");
    for (RewriteKind kind : kRewriteKinds) {
        RecordWriter out;
        WriteRewrite(table, b.drawing, kWhite, kind, out);
        EXPECT_EQ(out.Bytes(), "hd\r\nci 0 0 500\r\n\r\n");
    }
}

// A white solid on a white background gets a row whose swatch looks empty. Its figures must
// still go back to Jw_cad, which deletes everything selected before it draws the result.
TEST(ModeOutputs, BackgroundColouredSolidsAreWrittenBack) {
    const char* goldens[] = {"background.mode3.jwc_temp.txt", "background.mode4.jwc_temp.txt",
                             "background.mode5.jwc_temp.txt"};
    for (int k = 0; k < 3; ++k) {
        const RewriteKind kind = kRewriteKinds[k];
        Table table = EmptyTable(kWhite);
        DrawingBuilder b;
        SetRow(table, 1, kWhite, "", "", "");
        SetRow(table, 2, kRed, "", "", "");
        table.firstFreeRow = 3;
        b.Solid(table, 1, &RowRecords::sl, "sl 0 0 1000 0 1000 1000");
        b.Solid(table, 2, &RowRecords::sl, "sl 0 0 2000 0 2000 1000");
        RecordWriter out;
        WriteRewrite(table, b.drawing, kWhite, kind, out);
        EXPECT_SAME_OUTPUT(out.Bytes(), goldens[k]);
    }
}

// Every figure line with the colour it must have afterwards (-1 for lines that are not solids).
using Figures = std::multiset<std::pair<std::string, SolidColour>>;

Figures KeptFigures(const Table& table, const Drawing& drawing, bool newColour) {
    Figures figures;
    for (LineRef line : drawing.otherLines)
        if (line.length > 0)
            figures.emplace(drawing.Text(line), -1);
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        for (const auto* list :
             {&row.records.sl4, &row.records.sl, &row.records.sc, &row.records.se, &row.records.so, &row.records.sg})
            for (LineRef line : *list)
                figures.emplace(drawing.Text(line), newColour ? row.newColour : row.colour);
    }
    return figures;
}

// The result file read back by the exchange reader holds every figure of the input in the
// colour the rewrite gives it; the only lines added are the layer distribution's layer records.
TEST(ModeOutputs, ResultFileReadsBackWithEveryFigure) {
    std::mt19937 random(7);
    const SolidColour colours[] = {kWhite, kRed, kGreen, kBlue};
    const char* figures[] = {"ci 0 0 500", "0 0 100 100", "ch 0 0 1 0 \"壁", "lc3", "ly2"};
    const char* round[] = {"sc", "se", "so", "sg"};
    for (int r = 0; r < 60; ++r) {
        const RewriteKind kind = kRewriteKinds[r % 3];
        std::string input = "hq\r\nlg0\r\n";
        for (int n = 0; n < 40; ++n) {
            switch (random() % 4) {
                case 0:
                    input += "lc10 " + std::to_string(colours[random() % 4]);
                    break;
                case 1:
                    input += figures[random() % 5];
                    break;
                case 2:
                    input += "sl " + std::to_string(n) + " 0 1000 0 1000 1000";
                    break;
                default:
                    input += std::string(round[random() % 4]) + " " + std::to_string(n) + " 0 500 0 360 1 0";
            }
            input += "\r\n";
        }
        const ReadOptions options{.rewritesSolids = true};
        RecordingNotifier notifier;
        Table table = EmptyTable(kWhite);
        Drawing drawing;
        ASSERT_EQ(ReadExchange(sjis::Encode(input), options, table, drawing, notifier), ReadOutcome::Finished);
        if (kind == RewriteKind::Recolour) {
            for (int i = 1; i < table.firstFreeRow; ++i)
                if (random() % 2)
                    table.Row(i).newColour = colours[random() % 4];
        } else {
            for (int swaps = 0; swaps < 3; ++swaps)
                std::swap(table.Row(1 + static_cast<int>(random() % kRowCount)),
                          table.Row(1 + static_cast<int>(random() % kRowCount)));
        }
        RecordWriter out;
        WriteRewrite(table, drawing, kWhite, kind, out);

        Table again = EmptyTable(kWhite);
        Drawing reread;
        ASSERT_EQ(ReadExchange(out.Bytes(), options, again, reread, notifier), ReadOutcome::Finished);
        Figures expected = KeptFigures(table, drawing, kind == RewriteKind::Recolour);
        Figures found = KeptFigures(again, reread, false);
        for (const auto& figure : expected)
            EXPECT_GE(found.count(figure), expected.count(figure)) << "kind " << r % 3 << ": " << figure.first;
        for (const auto& figure : found) {
            if (expected.count(figure) == 0) {
                EXPECT_EQ(figure.first.substr(0, 2), "ly") << figure.first;
            }
        }
    }
}

TEST(ModeOutputs, LayerNamesPerSelectedGroup) {
    Table table = EmptyTable(kWhite);
    SetRow(table, 1, kWhite, "通り芯", "", "");
    SetRow(table, 3, kRed, "#c#FF0000", "", "");
    struct Case {
        const char* selector;
        const char* golden;
    } cases[] = {
        {"*", "mode6_all.ztemp.txt"},
        {"0-3,A", "mode6_list.ztemp.txt"},
        {"^0", "mode6_negated.ztemp.txt"},
        {"", "mode6_none.ztemp.txt"},
    };
    for (const Case& c : cases) {
        RecordWriter out;
        WriteLayerNames(table, c.selector, out);
        EXPECT_SAME_OUTPUT(out.Bytes(), c.golden);
    }
}

// Layer names through the coordinate file select on the prefixed title, so "*" selects no
// group there and the rows stay.
TEST(ModeOutputs, ExternalLayerNamesWithoutSelectedGroupKeepTheRows) {
    Table table = EmptyTable(kWhite);
    SetRow(table, 2, kWhite, "壁", "", "");
    std::string title = "*";
    RecordWriter out;
    WriteExternalLayerNames(table, title, out);
    EXPECT_EQ(title, "レイヤグループ:*");
    EXPECT_EQ(sjis::Decode(out.Bytes()), "h#レイヤ名を設定しました\r\n");
    EXPECT_EQ(table.Row(2).name, "壁");
    EXPECT_EQ(table.Row(2).unitEntry, "");
}
