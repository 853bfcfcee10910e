#include "settings/ListFile.h"

#include <gtest/gtest.h>

#include "base/Sjis.h"

using Lines = std::vector<std::string>;

TEST(ListFile, SectionsFillTheirLists) {
    struct Case {
        const char* text;  // UTF-8, encoded to code page 932
        Lines items;
        Lines units;
    };
    const Case cases[] = {
        {"[items]\r\n居室\r\n[tani]\r\nm^2,1\r\n", {"居室"}, {"m^2,1"}},
        // The line after a header is an entry, even another header.
        {"[items]\r\n[tani]\r\nA\r\n", {"[tani]", "A"}, {}},
        {"[Items]\r\nA\r\n[TANI]\r\nB", {"A"}, {"B"}},
        // Headers are whole lines: a trailing blank makes another section.
        {"[items] \r\nA\r\n", {}, {}},
        {"[tani]\r\nm,1\r\n\r\n坪,3\r\n", {}, {"m,1", "", "坪,3"}},
        {"A\r\nB\r\n[items]\r\nC\r\n", {"C"}, {}},
        {"[items]\r\nA\r\n[tani]\r\nu\r\n[other]\r\nx\r\n[items]\r\nB\r\n", {"A", "B"}, {"u"}},
        // A header on the last line adds nothing and loses nothing.
        {"[items]\r\nA\r\n[tani]", {"A"}, {}},
        {"[items]\r\nA\r\n[tani]\r\n", {"A"}, {}},
        {"[items]\nA\rB\r\nC", {"A", "B", "C"}, {}},
        {"[items]\r\n  居室 \r\n", {"  居室 "}, {}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        ListFile list = ParseListFile(sjis::Encode(c.text));
        EXPECT_EQ(list.items, c.items) << c.text;
        EXPECT_EQ(list.units, c.units) << c.text;
    }
}

TEST(ListFile, ReadsTheFileOrNothing) {
    ListFile list = ReadListFile(VEMORA_TEST_DATA "/settings/vemora.lst");
    EXPECT_EQ(list.items, (Lines{"居室", "ソファ置場", "廊下"}));
    EXPECT_EQ(list.units, (Lines{"m^2,1", "", "坪,0.3025"}));

    ListFile missing = ReadListFile(VEMORA_TEST_DATA "/settings/no-such.lst");
    EXPECT_TRUE(missing.items.empty());
    EXPECT_TRUE(missing.units.empty());
}
