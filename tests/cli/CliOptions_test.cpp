// vemora-cli's arguments parsed into the options struct, and the printed table.
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include "cli/TablePrint.h"

namespace {

CliParse Parse(std::vector<std::string> args) { return ParseCliOptions(args); }

TEST(CliOptions, EveryOptionWithItsValue) {
    CliParse p = Parse({"--dir", "plan", "--zfile=z", "--registry", "jw.reg", "--table", "t.JHY", "--title", "面積表",
                        "--keta", "-2", "--recolour", "255=#00FF00", "--recolour=#0000FF=7", "--swap", "3:16",
                        "--print", "json", "--dry-run", "C2"});
    ASSERT_TRUE(p) << p.error;
    const CliOptions& o = p.options;
    EXPECT_EQ(o.modeWord, "C2");
    EXPECT_EQ(o.dir, "plan");
    EXPECT_EQ(o.zfile, "z");
    EXPECT_EQ(o.registry, "jw.reg");
    EXPECT_EQ(o.table, "t.JHY");
    EXPECT_EQ(o.title, "面積表");
    EXPECT_EQ(o.keta, "-2");
    EXPECT_EQ(o.recolours, (std::vector<Recolour>{{255, 0x00FF00}, {0xFF0000, 7}}));
    EXPECT_EQ(o.swaps, (std::vector<RowSwap>{{3, 16}}));
    EXPECT_EQ(o.print, PrintFormat::Json);
    EXPECT_TRUE(o.dryRun);
}

TEST(CliOptions, DefaultsWithoutArgumentsAndAWordAfterDoubleDash) {
    CliParse p = Parse({});
    ASSERT_TRUE(p);
    EXPECT_EQ(p.options.modeWord, std::nullopt);
    EXPECT_EQ(p.options.dir, ".");
    EXPECT_EQ(p.options.print, PrintFormat::None);
    EXPECT_EQ(Parse({"--", "-M3"}).options.modeWord, "-M3");
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_TRUE(Parse({"--version"}).options.version);
}

TEST(CliOptions, UnusableArgumentsGiveOneLineErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--frobnicate"}, "unknown option: --frobnicate"},
        {{"--dir"}, "--dir needs a value"},
        {{"--dir="}, "--dir needs a folder"},
        {{"--dry-run=1"}, "--dry-run takes no value"},
        {{"C1", "C2"}, "only one mode word may be given: C2"},
        {{"--keta", "5"}, "--keta takes one of 4, 3, 2, 1, 0, -1 .. -6: 5"},
        {{"--keta", "+1"}, "--keta takes one of 4, 3, 2, 1, 0, -1 .. -6: +1"},
        {{"--swap", "1:17"}, "--swap takes S:T, two rows 1..16: 1:17"},
        {{"--swap", "1-2"}, "--swap takes S:T, two rows 1..16: 1-2"},
        {{"--recolour", "255"}, "--recolour takes OLD=NEW, each a decimal colour or #RRGGBB: 255"},
        {{"--print", "csv"}, "--print takes tsv or json: csv"},
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c.args).error, c.error);
}

TEST(CliOptions, ColoursAreDecimalValuesOrSixHexDigits) {
    EXPECT_EQ(ParseCliColour("#FF8000"), RgbColour(255, 128, 0));
    EXPECT_EQ(ParseCliColour("#ff8000"), RgbColour(255, 128, 0));
    EXPECT_EQ(ParseCliColour("16777215"), 0xFFFFFF);
    for (const char* bad : {"#FFF", "#GG0000", "16777216", "-1", "0x10", "", "#", "12a"})
        EXPECT_EQ(ParseCliColour(bad), std::nullopt) << bad;
}

TEST(TablePrint, JsonEscapesTextsAndWritesNullForNoArea) {
    Table table;
    table.Row(2).colour = 255;
    table.Row(2).name = "a\"b\\c\td";
    table.Row(2).quantity = "-";
    table.Row(3).area = 0.125;
    table.Row(3).name = "x";
    EXPECT_EQ(TableJson(table, 0, "T"),
              "{\n  \"title\": \"T\",\n  \"rows\": [\n"
              "    {\"row\": 2, \"colour\": 255, \"solids\": 0, \"area_m2\": null, \"quantity\": \"-\", \"unit\": \"\", "
              "\"name\": \"a\\\"b\\\\c\\td\"},\n"
              "    {\"row\": 3, \"colour\": 0, \"solids\": 0, \"area_m2\": 0.125, \"quantity\": \"\", \"unit\": \"\", "
              "\"name\": \"x\"}\n  ]\n}\n");
    EXPECT_EQ(TableJson(Table{}, 0, ""), "{\n  \"title\": \"\",\n  \"rows\": []\n}\n");
    EXPECT_EQ(TableTsv(table, 0).substr(45), "2\t255\t0\t\t-\t\ta\"b\\c d\n3\t0\t0\t0.125\t\t\tx\n");
}

}  // namespace
