// vemora-cli's arguments parsed into the options struct, and the printed table.
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include "cli/TablePrint.h"

namespace {

CliParse Parse(std::vector<std::string> args) { return ParseCliOptions(args); }

TEST(CliOptions, EveryOptionWithItsValueAndDefaults) {
    CliParse p = Parse({"--dir", "plan", "--zfile=z", "--registry", "jw.reg", "--table", "t.JHY", "--title", "面積表",
                        "--name", "16=居室", "--unit=1=坪,0.3025", "--keta", "-2", "--recolour", "255=#00FF00",
                        "--recolour=#0000FF=7", "--swap", "3:16", "--print", "json", "--dry-run", "--check", "C2"});
    ASSERT_TRUE(p) << p.error;
    const CliOptions& o = p.options;
    EXPECT_TRUE(o.modeWord == "C2" && o.dir == "plan" && o.zfile == "z" && o.registry == "jw.reg" &&
                o.table == "t.JHY" && o.title == "面積表" && o.keta == "-2" && o.print == PrintFormat::Json && o.dryRun && o.check);
    EXPECT_EQ(o.names, (std::vector<RowText>{{16, "居室"}}));
    EXPECT_EQ(o.units, (std::vector<RowText>{{1, "坪,0.3025"}}));
    EXPECT_EQ(o.recolours, (std::vector<Recolour>{{255, 0x00FF00}, {0xFF0000, 7}}));
    EXPECT_EQ(o.swaps, (std::vector<RowSwap>{{3, 16}}));

    const CliOptions none = Parse({}).options;
    EXPECT_TRUE(!none.modeWord && none.dir == "." && none.print == PrintFormat::None && !none.dryRun && !none.check);
    EXPECT_EQ(Parse({"--", "-M3"}).options.modeWord, "-M3");
    EXPECT_TRUE(Parse({"--help"}).options.help && Parse({"--version"}).options.version);
    for (const char* keta : {"4", "-6"}) EXPECT_EQ(Parse({"--keta", keta}).options.keta, keta);
}

TEST(CliOptions, UnusableArgumentsGiveOneLineErrors) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--frobnicate"}, "unknown option: --frobnicate"},
        {{"--dir"}, "--dir needs a value"},
        {{"--dir="}, "--dir needs a folder"},
        {{"--zfile="}, "--zfile needs a folder"},
        {{"--dry-run=1"}, "--dry-run takes no value"},
        {{"--check=tsv"}, "--check takes no value"},
        {{"C1", "C2"}, "only one mode word may be given: C2"},
        {{"--keta", "5"}, "--keta takes one of 4, 3, 2, 1, 0, -1 .. -6: 5"},
        {{"--keta", "-7"}, "--keta takes one of 4, 3, 2, 1, 0, -1 .. -6: -7"},
        {{"--keta", "+1"}, "--keta takes one of 4, 3, 2, 1, 0, -1 .. -6: +1"},
        {{"--name", "17=x"}, "--name takes ROW=TEXT, ROW 1..16: 17=x"},
        {{"--unit", "坪"}, "--unit takes ROW=TEXT, ROW 1..16: 坪"},
        {{"--swap", "0:1"}, "--swap takes S:T, two rows 1..16: 0:1"},
        {{"--swap", "1:17"}, "--swap takes S:T, two rows 1..16: 1:17"},
        {{"--recolour", "255=#12345"}, "--recolour takes OLD=NEW, each a decimal colour or #RRGGBB: 255=#12345"},
        {{"--print", "csv"}, "--print takes tsv or json: csv"},
    };
    for (const auto& [args, error] : cases) EXPECT_EQ(Parse(args).error, error);
}

TEST(CliOptions, ColoursAreDecimalValuesOrSixHexDigits) {
    for (const char* orange : {"#FF8000", "#ff8000", "33023"}) EXPECT_EQ(ParseCliColour(orange), 0x0080FF);
    EXPECT_TRUE(ParseCliColour("16777215") == 0xFFFFFF && ParseCliColour("0") == 0);
    for (const char* bad : {"#FFF", "#GG0000", "16777216", "-1", "0x10", "", "#", "12a"})
        EXPECT_EQ(ParseCliColour(bad), std::nullopt) << bad;
}

// Areas with 12 significant digits; texts escaped for JSON, tabs blanked for TSV.
TEST(TablePrint, JsonAndTsvRowsOfATable) {
    Table table;
    table.Row(2).colour = 255;
    table.Row(2).name = "a\"b\\c\td e\x01";
    table.Row(2).quantity = "-";
    table.Row(3).area = 1234567.890123;
    table.Row(3).name = "x";
    EXPECT_EQ(TableJson(table, 0, "T"),
              "{\n  \"title\": \"T\",\n  \"rows\": [\n"
              "    {\"row\": 2, \"colour\": 255, \"solids\": 0, \"area_m2\": null, \"quantity\": \"-\", "
              "\"unit\": \"\", \"name\": \"a\\\"b\\\\c\\td e\\u0001\"},\n"
              "    {\"row\": 3, \"colour\": 0, \"solids\": 0, \"area_m2\": 1234567.89012, \"quantity\": \"\", "
              "\"unit\": \"\", \"name\": \"x\"}\n  ]\n}\n");
    EXPECT_EQ(TableJson(Table{}, 0, ""), "{\n  \"title\": \"\",\n  \"rows\": []\n}\n");
    EXPECT_EQ(TableTsv(table, 0).substr(45), "2\t255\t0\t\t-\t\ta\"b\\c d e\x01\n3\t0\t0\t1234567.89012\t\t\tx\n");
}

}  // namespace
