#include "settings/ItemTable.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TestSupport.h"
#include "base/Sjis.h"

namespace {

std::string DataPath(std::string_view name) {
    return std::string(VEMORA_TEST_DATA) + "/settings/items/" + std::string(name);
}

Table EmptyTable() {
    Table table;
    for (int i = 1; i <= kRowCount; ++i)
        PaintRow(table.Row(i), kWhite);
    return table;
}

void SetRow(Table& table, int i, SolidColour colour, std::string name, std::string unitEntry) {
    TableRow& row = table.Row(i);
    PaintRow(row, colour);
    row.name = std::move(name);
    row.unitEntry = std::move(unitEntry);
}

// Rows 1, 2 and 4 in use; row 1's right swatch recoloured.
Table SampleTable() {
    Table table = EmptyTable();
    SetRow(table, 1, kRed, "壁", "m^2,1");
    table.Row(1).newColour = 65535;
    SetRow(table, 2, kGreen, "床材", "m2,2.5");
    SetRow(table, 4, kBlue, "", "");
    return table;
}

ini::Document Items(std::string_view utf8) {
    return ini::Document::Parse(sjis::Encode(utf8));
}

}  // namespace

// The count covers rows in use wherever they stand; all 16 rows are written, four keys each.
TEST(ItemTable, StoreWritesEveryRowInKeyOrder) {
    ini::Document doc;
    StoreItemTable(SampleTable(), kWhite, doc);
    EXPECT_EQ(doc.Serialize(), file::Read(DataPath("stored.koumoku.ini")).value_or("<missing golden>"));
}

// Rows 1..count come back (row 4 of the sample lies beyond the count of 3); the right swatch
// takes the left swatch's colour; untouched rows stay as they were.
TEST(ItemTable, LoadRestoresRowsUpToTheCount) {
    Table table = EmptyTable();
    table.Row(4).name = "残す";
    ini::Document doc = ini::Document::Parse(file::Read(DataPath("stored.koumoku.ini")).value_or(""));
    LoadItemTable(doc, table);
    EXPECT_EQ(table.firstFreeRow, 4);
    EXPECT_EQ(table.Row(1).colour, kRed);
    EXPECT_EQ(table.Row(1).newColour, kRed);
    EXPECT_EQ(table.Row(1).name, "壁");
    EXPECT_EQ(table.Row(1).unitEntry, "m^2,1");
    EXPECT_EQ(table.Row(2).unitEntry, "m2,2.5");
    EXPECT_EQ(table.Row(2).factor, 2.5);
    EXPECT_EQ(table.Row(3).colour, kWhite);
    EXPECT_EQ(table.Row(4).colour, kWhite);
    EXPECT_EQ(table.Row(4).name, "残す");
}

// A stored entry gives the factor; an empty one empties the entry but leaves the factor.
TEST(ItemTable, UnitEntriesGiveTheFactorAndAnEmptyOneKeepsIt) {
    Table table = EmptyTable();
    LoadItemTable(Items("[koumokusuu]\nkoumokusuu=1\n[tani]\ntani_1=個, 4\n"), table);
    EXPECT_EQ(table.Row(1).unitEntry, "個, 4");
    EXPECT_EQ(table.Row(1).factor, 4.0);
    LoadItemTable(Items("[koumokusuu]\nkoumokusuu=1\n[tani]\ntani_1=\n"), table);
    EXPECT_EQ(table.Row(1).unitEntry, "");
    EXPECT_EQ(table.Row(1).factor, 4.0);
}

TEST(ItemTable, CountIsKeptWithinTheRows) {
    struct Case {
        const char* count;
        int firstFreeRow;
    } cases[] = {{"99", 17}, {"16", 17}, {"0", 1}, {"-5", 1}, {"abc", 5}, {"2.5", 5}, {"", 5}};
    for (const Case& c : cases) {
        Table table = EmptyTable();
        table.firstFreeRow = 5;
        std::string text = "[koumokusuu]\nkoumokusuu=" + std::string(c.count) + "\n[koumoku]\n";
        for (int i = 1; i <= 20; ++i)
            text += "koumoku_" + std::to_string(i) + "=n" + std::to_string(i) + "\n";
        LoadItemTable(Items(text), table);
        EXPECT_EQ(table.firstFreeRow, c.firstFreeRow) << c.count;
        for (int i = 1; i <= kRowCount; ++i)
            EXPECT_EQ(table.Row(i).name, i < c.firstFreeRow ? "n" + std::to_string(i) : "") << c.count << " row " << i;
    }
}

// A colour that is missing or no number keeps the row's colour; a name that is missing empties it.
TEST(ItemTable, UnconvertibleColourKeepsTheRowColour) {
    Table table = EmptyTable();
    table.Row(1).colour = kGreen;
    table.Row(2).colour = kBlue;
    table.Row(2).name = "床";
    LoadItemTable(Items("[koumokusuu]\nkoumokusuu=2\n[Solid]\nSolidclr_1=red\n"), table);
    EXPECT_EQ(table.Row(1).colour, kGreen);
    EXPECT_EQ(table.Row(2).colour, kBlue);
    EXPECT_EQ(table.Row(2).newColour, kBlue);
    EXPECT_EQ(table.Row(2).name, "");
}

TEST(ItemTable, TableFileRoundTrip) {
    TempFolder dir;
    std::string path = dir.File("表.JHY");
    ASSERT_TRUE(file::WriteAtomic(path, "[mine]\r\nkeep=1\r\n"));
    TableSettings settings;
    settings.rounding = "1";
    settings.textType = "cn7";
    ASSERT_TRUE(SaveTableFile(path, settings, SampleTable(), kWhite));

    TableSettings loaded;
    Table table = EmptyTable();
    OpenTableFile(path, loaded, table);
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(table.firstFreeRow, 4);
    Table sample = SampleTable();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(table.Row(i).colour, sample.Row(i).colour);
        EXPECT_EQ(table.Row(i).name, sample.Row(i).name);
        EXPECT_EQ(table.Row(i).unitEntry, sample.Row(i).unitEntry);
    }
    EXPECT_EQ(table.Row(4).colour, kWhite);

    // The settings sections come first; other sections stay.
    ini::Document doc = ini::Document::Load(path);
    EXPECT_EQ(doc.Get("mine", "keep", ""), "1");
    std::string bytes = file::Read(path).value_or("");
    EXPECT_LT(bytes.find("[kihon]"), bytes.find("[koumokusuu]"));
}

// Through the create prompt a name that does not exist can be opened: settings and colours
// stay, names and unit entries of the rows in use are emptied.
TEST(ItemTable, OpeningAMissingFileEmptiesNamesOnly) {
    TempFolder dir;
    TableSettings settings;
    settings.rounding = "1";
    Table table = SampleTable();
    table.firstFreeRow = 3;
    OpenTableFile(dir.File("new.JHY"), settings, table);
    EXPECT_EQ(settings.rounding, "1");
    EXPECT_EQ(table.firstFreeRow, 3);
    EXPECT_EQ(table.Row(1).name, "");
    EXPECT_EQ(table.Row(1).unitEntry, "");
    EXPECT_EQ(table.Row(4).colour, kBlue);
}
