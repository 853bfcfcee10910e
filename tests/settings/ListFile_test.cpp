#include "settings/ListFile.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/Sjis.h"

using Lines = std::vector<std::string>;

// The line after a header is an entry, even a header; headers are whole lines (a trailing
// blank makes another section) in any letter case; a header on the last line adds nothing
// and loses nothing; lines end in CR LF, LF or CR; entries keep their blanks.
TEST(ListFile, SectionsFillTheirLists) {
    const std::tuple<const char*, Lines, Lines> cases[] = {  // UTF-8, encoded to code page 932; items; units
        {"[items]\r\n居室\r\n[tani]\r\nm^2,1\r\n", {"居室"}, {"m^2,1"}}, {"[items]\r\n[tani]\r\nA\r\n", {"[tani]", "A"}, {}},
        {"[Items]\r\nA\r\n[TANI]\r\nB", {"A"}, {"B"}}, {"[items] \r\nA\r\n", {}, {}},
        {"[tani]\r\nm,1\r\n\r\n坪,3\r\n", {}, {"m,1", "", "坪,3"}}, {"A\r\nB\r\n[items]\r\nC\r\n", {"C"}, {}},
        {"[items]\r\nA\r\n[tani]\r\nu\r\n[other]\r\nx\r\n[items]\r\nB\r\n", {"A", "B"}, {"u"}},
        {"[items]\r\nA\r\n[tani]", {"A"}, {}}, {"[items]\r\nA\r\n[tani]\r\n", {"A"}, {}},
        {"[items]\nA\rB\r\nC", {"A", "B", "C"}, {}}, {"[items]\r\n  居室 \r\n", {"  居室 "}, {}}, {"", {}, {}},
    };
    for (const auto& [text, items, units] : cases) {
        ListFile list = ParseListFile(sjis::Encode(text));
        EXPECT_EQ(list.items, items) << text;
        EXPECT_EQ(list.units, units) << text;
    }
}

TEST(ListFile, ReadsTheFileOrNothing) {
    ListFile list = ReadListFile(VEMORA_TEST_DATA "/settings/vemora.lst");
    EXPECT_EQ(list.items, (Lines{"居室", "ソファ置場", "廊下"}));
    EXPECT_EQ(list.units, (Lines{"m^2,1", "", "坪,0.3025"}));
    ListFile missing = ReadListFile(VEMORA_TEST_DATA "/settings/no-such.lst");
    EXPECT_EQ(missing.items.size() + missing.units.size(), 0u);
}
