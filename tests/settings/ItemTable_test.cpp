#include "settings/ItemTable.h"

#include <gtest/gtest.h>

#include <tuple>

#include "TempFolder.h"
#include "TestSupport.h"
#include "base/Sjis.h"

namespace {

const std::string kStored = VEMORA_TEST_DATA "/settings/items/stored.koumoku.ini";

Table EmptyTable() {
    Table table;
    for (int i = 1; i <= kRowCount; ++i)
        PaintRow(table.Row(i), kWhite);
    return table;
}

// Rows 1, 2 and 4 in use; row 1's right swatch recoloured.
Table SampleTable() {
    Table table = EmptyTable();
    PaintRow(table.Row(2), kGreen);
    PaintRow(table.Row(4), kBlue);
    table.Row(1).colour = kRed;
    table.Row(1).newColour = 65535;
    std::tie(table.Row(1).name, table.Row(1).unitEntry, table.Row(2).name, table.Row(2).unitEntry) =
        std::tuple("壁", "m^2,1", "床材", "m2,2.5");
    return table;
}

Table Loaded(std::string_view utf8, Table table = EmptyTable()) {
    LoadItemTable(ini::Document::Parse(sjis::Encode(utf8)), table);
    return table;
}

// The first free row, then rows 1..n: colour/new colour name unit factor.
std::string Rows(const Table& table, int n = 3) {
    std::string out = std::to_string(table.firstFreeRow);
    for (int i = 1; i <= n; ++i)
        out += " | " + std::to_string(table.Row(i).colour) + "/" + std::to_string(table.Row(i).newColour) + " " +
               table.Row(i).name + " " + table.Row(i).unitEntry + " " + std::to_string(table.Row(i).factor).substr(0, 4);
    return out;
}

// The count covers rows in use wherever they stand; all 16 rows are written, four keys each.
// Rows 1..count come back (row 4 of the sample lies beyond the count of 3); the right swatch
// takes the left swatch's colour; untouched rows stay as they were.
TEST(ItemTable, StoreWritesEveryRowAndLoadRestoresRowsUpToTheCount) {
    ini::Document doc;
    StoreItemTable(SampleTable(), kWhite, doc);
    EXPECT_EQ(doc.Serialize(), file::Read(kStored).value_or("<missing golden>"));
    Table table = EmptyTable();
    table.Row(4).name = "残す";
    LoadItemTable(ini::Document::Parse(file::Read(kStored).value_or("")), table);
    EXPECT_EQ(Rows(table, 4), "4 | 255/255 壁 m^2,1 1.00 | 65280/65280 床材 m2,2.5 2.50 | 16777215/16777215   1.00 | "
                              "16777215/16777215 残す  1.00");
}

// A stored unit entry gives the factor, an empty one empties the entry but leaves the factor;
// a colour that is missing or no number keeps the row's colour, a missing name empties it.
TEST(ItemTable, UnitsColoursAndNamesThatAreMissingOrNoNumbers) {
    Table table = Loaded("[koumokusuu]\nkoumokusuu=1\n[tani]\ntani_1=個, 4\n");
    EXPECT_EQ(Rows(table, 2), "2 | 16777215/16777215  個, 4 4.00 | 16777215/16777215   1.00");
    table.Row(1).colour = kGreen;
    table.Row(2).colour = kBlue;
    table.Row(2).name = "床";
    table = Loaded("[koumokusuu]\nkoumokusuu=2\n[Solid]\nSolidclr_1=red\n[tani]\ntani_1=\n", table);
    EXPECT_EQ(Rows(table), "3 | 65280/65280   4.00 | 16711680/16711680   1.00 | 16777215/16777215   1.00");
}

TEST(ItemTable, CountIsKeptWithinTheRows) {
    const std::pair<const char*, int> cases[] = {{"99", 17}, {"16", 17},        {"15", 16},         {"0", 1},
                                                 {"-5", 1},  {"2147483647", 17}, {"2147483648", 5}, {"abc", 5},
                                                 {"2.5", 5}, {"", 5},           {"-2147483648", 1}, {"-2147483649", 5}};
    for (auto [count, firstFreeRow] : cases) {
        Table table = EmptyTable();
        table.firstFreeRow = 5;
        std::string text = "[koumokusuu]\nkoumokusuu=" + std::string(count) + "\n[koumoku]\n";
        for (int i = 1; i <= 20; ++i)
            text += "koumoku_" + std::to_string(i) + "=n" + std::to_string(i) + "\n";
        table = Loaded(text, table);
        EXPECT_EQ(table.firstFreeRow, firstFreeRow) << count;
        for (int i = 1; i <= kRowCount; ++i)
            EXPECT_EQ(table.Row(i).name, i < firstFreeRow ? "n" + std::to_string(i) : "") << count << " row " << i;
    }
}

// The settings sections come first and other sections stay. Through the create prompt a
// name that does not exist can be opened: settings and colours stay, names and unit entries
// of the rows in use are emptied.
TEST(ItemTable, TableFileRoundTripAndAMissingFile) {
    TempFolder dir;
    std::string path = dir.File("表.JHY");
    ASSERT_TRUE(file::WriteAtomic(path, "[mine]\r\nkeep=1\r\n"));
    TableSettings settings;
    settings.rounding = "1";
    settings.textType = "cn7";
    ASSERT_TRUE(SaveTableFile(path, settings, SampleTable(), kWhite));
    std::string bytes = file::Read(path).value_or("");
    EXPECT_LT(bytes.find("[kihon]"), bytes.find("[koumokusuu]"));
    EXPECT_NE(bytes.find("[mine]\r\nkeep=1\r\n"), std::string::npos);

    TableSettings loaded;
    Table table = EmptyTable();
    OpenTableFile(path, loaded, table);
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(Rows(table), "4 | 255/255 壁 m^2,1 1.00 | 65280/65280 床材 m2,2.5 2.50 | 16777215/16777215   1.00");
    OpenTableFile(dir.File("new.JHY"), loaded, table);
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(Rows(table), "4 | 255/255   1.00 | 65280/65280   2.50 | 16777215/16777215   1.00");
}

}  // namespace
