// The table picture: what OK draws, its SVG, and the total rows in the drawing and the copy.
#include "output/TablePicture.h"

#include <gtest/gtest.h>

#include "OutputFixture.h"
#include "TempFolder.h"
#include "model/Quantities.h"
#include "output/ClipboardText.h"
#include "output/TableSvg.h"

using fixture::EmptyTable;
using fixture::SetRow;

namespace {

struct PictureCase {
    Table table = EmptyTable(kWhite);
    Drawing drawing;
    TableSettings settings = fixture::ExampleSettings();
    std::string title = "面積表";

    PictureCase() {
        fixture::SetTextSize(drawing, 5, "4", "4", "0.5");
        SetRow(table, 1, kRed, "壁", "12.50", "m2");
    }
    OkRequest Request(OkOutput output, const std::string& folder = {}) const {
        return {output, RewriteKind::Recolour, false, table, drawing, settings, kWhite, title, folder, folder};
    }
};

}  // namespace

// The preview shows what OK writes: the same records, the layer names applied to the rows of
// the layer-name table, and OK's message where the settings give no table.
TEST(TablePicture, IsWhatOkDraws) {
    struct Case {
        OkOutput output;
        void (*change)(TableSettings&);
    } cases[] = {
        {OkOutput::AreaTable, [](TableSettings& s) { s.totalRow = 1; }},
        {OkOutput::LayerNameTable, [](TableSettings&) {}},
        {OkOutput::AreaTable, [](TableSettings& s) { s.gapWidth = "x"; }},
    };
    for (const Case& c : cases) {
        PictureCase p;
        p.title = "0";
        c.change(p.settings);
        TempFolder dir;
        const TablePicture picture = PictureOfTable(p.Request(c.output), nullptr);
        RecordingNotifier notifier;
        RunOk(p.Request(c.output, dir.Str()), notifier);
        if (!picture.elements) {
            EXPECT_EQ(notifier.Texts(), std::vector<std::string>{picture.message});
            continue;
        }
        RecordWriter records;
        WriteTableElements(*picture.elements, p.settings, records);
        EXPECT_NE(file::Read(dir.File("ZTEMP.TXT")).value_or("").find(records.Bytes()), std::string::npos);
    }
}

// Lines in the colours of their pens, the text in its text type's pen colour, samples in RGB.
TEST(TableSvg, WorkedExample) {
    PictureCase p;
    SetRow(p.table, 2, kGreen, "床材", "3.00", "m2");
    p.drawing.textColours[5] = "6";
    PenColourTable pens{};
    pens[1] = RgbColour(0, 192, 255), pens[2] = RgbColour(0, 0, 0), pens[3] = RgbColour(0, 160, 0);
    pens[6] = RgbColour(0, 0, 255);
    EXPECT_EQ(TableSvg(PictureOfTable(p.Request(OkOutput::AreaTable), &pens)),
              file::Read(std::string(VEMORA_TEST_DATA) + "/picture/example.svg").value_or("<missing>"));
}

// Each unit's quantities added as they are shown, so the column adds up on paper: rounded
// values, the most decimals shown, thousands separators; words and "-" left out.
TEST(TotalRows, AddTheShownQuantitiesPerUnit) {
    struct Row {
        std::optional<double> area;  // quantity from the area, rounded; else `typed`
        const char* typed;
        const char* unitEntry;
    };
    struct Case {
        const char* rounding;
        std::vector<Row> rows;
        std::vector<std::pair<std::string, std::string>> totals;  // unit, quantity
    } cases[] = {
        {"2", {{12.34, "", "m^2,1"}, {0.005, "", "m^2,1"}}, {{"m^2", "12.35"}}},
        {"2", {{0.004, "", "m^2,1"}, {0.004, "", "m^2,1"}, {0.004, "", "m^2,1"}}, {{"m^2", "0.00"}}},
        {"3",
         {{84.0, "", "m^2,1"}, {10.0, "", "坪,0.3025"}, {42.0, "", "m^2,1"}},
         {{"m^2", "126.000"}, {"坪", "3.025"}}},
        {"3",
         {{{}, "1,234.5", "本"}, {{}, "0.25", "本"}, {{}, "-", "本"}, {{}, "3", ""}},
         {{"本", "1,234.75"}, {"", "3"}}},
    };
    for (const Case& c : cases) {
        Table table = EmptyTable(kWhite);
        TableSettings settings;
        settings.totalRow = 1;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const Row& r = c.rows[i];
            SetRow(table, static_cast<int>(i) + 1, RgbColour(0, 0, static_cast<int>(i)), "", r.typed, "");
            table.Row(static_cast<int>(i) + 1).unitEntry = r.unitEntry;
            if (r.area)
                table.Row(static_cast<int>(i) + 1).quantity = QuantityText(r.area, UnitFactor(r.unitEntry), c.rounding);
        }
        std::vector<std::pair<std::string, std::string>> totals;
        for (const TotalRow& t : TotalRows(table, settings, kWhite))
            totals.emplace_back(t.unit, t.quantity);
        EXPECT_EQ(totals, c.totals) << c.rows.size();
        settings.totalRow = 0;
        EXPECT_TRUE(TotalRows(table, settings, kWhite).empty());
    }
}

TEST(TotalRows, FollowTheRowsInTheCopy) {
    PictureCase p;
    const std::vector<TotalRow> totals{{"m2", "12.50"}};
    EXPECT_EQ(ClipboardText(p.table, kWhite, "T", true, 0, totals), "T\r\n壁\t12.50\tm2\r\n合計\t12.50\tm2\r\n");
    EXPECT_EQ(ClipboardText(p.table, kWhite, "T", true, 1, totals),
              "項目名\t壁\t合計\r\n単　位\tm2\tm2\r\nT\t12.50\t12.50\r\n");
}
