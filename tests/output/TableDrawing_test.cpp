#include "output/TableDrawing.h"

#include <gtest/gtest.h>

#include "OutputFixture.h"

using fixture::EmptyTable;
using fixture::SetRow;

namespace {

struct TableCase {
    Table table = EmptyTable(kWhite);
    fixture::DrawingBuilder b;
    Drawing& drawing = b.drawing;
    TableSettings settings = fixture::ExampleSettings();

    TableCase() { fixture::SetTextSize(drawing, 5, "4", "4", "0.5"); }

    std::string Draw(std::string_view title = "面積表") const {
        MetricsResult metrics = ReadTableMetrics(settings, drawing);
        EXPECT_TRUE(metrics.metrics.has_value()) << metrics.error;
        RecordWriter out;
        if (metrics.metrics)
            DrawTable(table, title, {&drawing, &settings, kWhite, false}, *metrics.metrics, out);
        return out.Bytes();
    }
    void NoRuledLines() { settings.outerFrame = settings.verticalLines = settings.horizontalLines = 0; }
};

}  // namespace

TEST(TableDrawing, WorkedExampleLineForLine) {
    TableCase s;
    SetRow(s.table, 1, kRed, "壁", "12.50", "m2");
    SetRow(s.table, 2, kGreen, "床材", "3.00", "m2");
    EXPECT_SAME_OUTPUT(s.Draw(), "example.ztemp.txt");
}

TEST(TableDrawing, SerialNumbersThenAreasAtEachSolid) {
    TableCase s;
    s.NoRuledLines();
    s.settings.annotateNumbers = 1;
    s.settings.annotateAreas = 1;
    s.settings.rounding = "2";
    s.settings.nameAlignment = 0;
    s.drawing.attributes.groupScale = 50.0f;  // areas one text height (4) of scale 1:50 lower
    SetRow(s.table, 1, kRed, "壁", "2.50", "m^2");
    s.b.Solid(s.table, 1, &RowRecords::sl, "sl 0 0 1000 0 0 1000");  // 0.5 m² at (333.3, 333.3)
    s.b.Solid(s.table, 1, &RowRecords::sl, "sl 1500 -2500 2500 -2500 2500 -500 1500 -500");  // 2 m² at (2000, -1500)
    EXPECT_SAME_OUTPUT(s.Draw(), "annotations.ztemp.txt");
}

TEST(TableDrawing, NoUsedRowsGivesAFrameOfZeroHeight) {
    TableCase s;
    EXPECT_SAME_OUTPUT(s.Draw(""), "no_rows.ztemp.txt");
}

// One row, at position 5: no horizontal line records although they are switched on; the
// name "m^u2" counts two bytes but keeps its underline code when written.
TEST(TableDrawing, SingleRowWithUnderlineCode) {
    TableCase s;
    SetRow(s.table, 5, kRed, "m^u2", "1.5", "m^u2");
    EXPECT_EQ(MaxNameWidth(s.table), 2);
    EXPECT_SAME_OUTPUT(s.Draw(), "single_row.ztemp.txt");
}

// Rows 1, 3 and 4 are written as table rows 1, 2 and 3: row 3 has a name but no colour (no
// sample), row 4 a colour but no name (no name record); quantities are right-aligned by
// characters; names centred.
TEST(TableDrawing, UsedRowsArePacked) {
    TableCase s;
    s.settings.nameAlignment = 2;
    SetRow(s.table, 1, kRed, "外壁", "12.5", "m2");
    SetRow(s.table, 3, kWhite, "屋根", "1,234.56", "m2");
    SetRow(s.table, 4, kGreen, "", "7", "本");
    EXPECT_EQ(DrawnRowCount(s.table, kWhite), 3);
    EXPECT_EQ(WidestQuantity(s.table), 8);
    EXPECT_SAME_OUTPUT(s.Draw(), "packed.ztemp.txt");
}

TEST(TableDrawing, TextTypeTenSizesTheTable) {
    TableCase s;
    s.NoRuledLines();
    s.settings.textType = "cn10";
    fixture::SetTextSize(s.drawing, 10, "7", "7", "1");
    SetRow(s.table, 1, kRed, "壁", "12.50", "m2");
    EXPECT_SAME_OUTPUT(s.Draw(), "cn10.ztemp.txt");
}

// A solid in the background colour gets a row whose swatch looks empty; its measured area
// still belongs in the table, without a colour sample. A cleared row (no quantity) stays out.
TEST(TableDrawing, BackgroundColouredRowWithSolidsIsDrawn) {
    TableCase s;
    s.NoRuledLines();
    s.b.Solid(s.table, 1, &RowRecords::sl, "sl 0 0 1000 0 1000 1000 0 1000");
    s.b.Solid(s.table, 2, &RowRecords::sl, "sl 0 0 2000 0 2000 1000 0 1000");
    SetRow(s.table, 1, kWhite, "", "1.000", "m^2");
    SetRow(s.table, 2, kRed, "", "2.000", "m^2");
    EXPECT_EQ(DrawnRowCount(s.table, kWhite), 2);
    EXPECT_SAME_OUTPUT(s.Draw(), "background_row.ztemp.txt");

    SetRow(s.table, 1, kWhite, "", "", "");
    EXPECT_EQ(DrawnRowCount(s.table, kWhite), 1);
}

TEST(TableDrawing, UnusableSettingsAreNamed) {
    struct Case {
        void (*change)(TableSettings&, Drawing&);
        const char* expected;
    } cases[] = {
        {[](TableSettings& t, Drawing&) { t.gapHeight = "abc"; },
         "作表設定「文字と枠の隙間高」(Sukima_H) の値「abc」は数値ではありません。\r\n表を作成できませんでした。"},
        {[](TableSettings& t, Drawing&) { t.gapWidth = ""; },
         "作表設定「文字と枠の隙間幅」(Sukima_W) の値「」は数値ではありません。\r\n表を作成できませんでした。"},
        {[](TableSettings& t, Drawing&) { t.sampleWidth = "20mm"; },
         "作表設定「表内のソリッドの幅」(Solid_W) の値「20mm」は数値ではありません。\r\n表を作成できませんでした。"},
        {[](TableSettings& t, Drawing&) { t.textType = "cn12"; },
         "作表設定「文字種」(Mojishu) の文字種「cn12」には文字の大きさがありません。\r\n表を作成できませんでした。"},
        {[](TableSettings& t, Drawing&) { t.textType = "cn3"; },
         "作表設定「文字種」(Mojishu) の文字種「cn3」には文字の大きさがありません。\r\n表を作成できませんでした。"},
        {[](TableSettings& t, Drawing& d) {
             t.textType = "";
             d.attributes.textType = "0";
         },
         "図面の現在の文字種「cn0」には文字の大きさがありません。\r\n表を作成できませんでした。"},
        {[](TableSettings& t, Drawing&) {
             t.annotateAreas = 1;
             t.rounding = "x";
         },
         "作表設定「数量の丸め」(Keta) の値「x」は数値ではありません。\r\n表を作成できませんでした。"},
    };
    for (const Case& c : cases) {
        TableCase s;
        c.change(s.settings, s.drawing);
        MetricsResult result = ReadTableMetrics(s.settings, s.drawing);
        EXPECT_FALSE(result.metrics.has_value()) << c.expected;
        EXPECT_EQ(result.error, c.expected);
    }
}

TEST(TableDrawing, MetricsFromSettingsOrCurrentTextType) {
    TableCase s;
    s.settings.gapHeight = " 1.5 ";
    s.settings.rounding = "x";  // unused while areas are not annotated
    auto m = ReadTableMetrics(s.settings, s.drawing).metrics;
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->textType, 5);
    EXPECT_EQ(m->gapH, 1.5f);

    s.settings.textType = "";
    s.drawing.attributes.textType = "5";
    m = ReadTableMetrics(s.settings, s.drawing).metrics;
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->textType, 5);
    EXPECT_EQ(m->textHeight, 4.0);
}
