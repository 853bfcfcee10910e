#include "settings/TableSettings.h"

#include <gtest/gtest.h>

#include "base/File.h"

namespace {

std::string Fixture(const char* name) {
    return file::Read(std::string(VEMORA_TEST_DATA "/settings/") + name).value_or("<missing>");
}

// The defaults save to the standard file (the total-row and seen-area switches, off, not in it) and load back
// from it; a file with other keys or sections keeps them and its comments, and a key that is
// missing keeps the current value.
TEST(TableSettings, SaveAndLoadKeepWhatTheyDoNotOwn) {
    ini::Document doc;
    StoreSettings(TableSettings{}, doc);
    EXPECT_EQ(doc.Serialize(), Fixture("default-settings.ini"));
    TableSettings loaded;
    loaded.rounding = "0";
    LoadSettings(ini::Document::Parse(Fixture("default-settings.ini")), loaded);
    EXPECT_EQ(loaded, TableSettings{});

    doc = ini::Document::Parse(Fixture("mixed.ini"));
    TableSettings mixed, expected;
    LoadSettings(doc, mixed);
    expected.outerFrame = 0;
    expected.outerFrameColour = "lc12";
    expected.rounding = "1";
    expected.defaultUnit = "坪,0.3025";
    EXPECT_EQ(mixed, expected);
    StoreSettings(mixed, doc);
    EXPECT_EQ(doc.Serialize(), Fixture("mixed-saved.ini"));

    expected.itemTableFlag = true;
    expected.nameAlignment = 2;
    mixed = expected;
    LoadSettings(ini::Document::Parse("[koumoku]\r\nkoumoku1=居室\r\n"), mixed);  // a table file without settings
    EXPECT_EQ(mixed, expected);
}

// Each value is loaded into the defaults, or into `opposite` where the default would not tell
// a converted value from a kept one, and saved again; `saved` is what the key then holds. A
// check box has two states; texts are taken as they are; short numbers take no decimals,
// "&H", doubled signs or blanks inside and stay in the 16-bit range; a flag is a number other
// than 0 or a word; the alignment keeps any 32-bit number.
TEST(TableSettings, ValuesConvertOrKeepTheSetting) {
    struct Case {
        const char *section, *key, *stored, *saved;
        bool fromOpposite = false;
    };
    TableSettings opposite;
    opposite.outerFrame = 0;
    opposite.itemTableFlag = true;
    opposite.upperCaseColourNames = 1;
    const Case cases[] = {
        {"Grid", "Sotowaku", "0", "0"}, {"Grid", "Sotowaku", "abc", "1"}, {"Grid", "Sotowaku", "", "1"},
        {"Grid", "Sotowaku", "2", "0", true}, {"Grid", "Soto_lc", "lc12", "lc12"}, {"kihon", "Tani", "", ""},
        {"kihon", "tensoType", "-3", "-3"}, {"kihon", "tensoType", "+1", "1"}, {"kihon", "tensoType", "32767", "32767"},
        {"kihon", "tensoType", "32768", "0"}, {"kihon", "tensoType", "1.6", "0"}, {"kihon", "tensoType", "&H1", "0"},
        {"kihon", "tensoType", "+-1", "0"}, {"kihon", "tensoType", "1 2", "0"}, {"kihon", "blKoumokuwrt", "-1", "True"},
        {"kihon", "blKoumokuwrt", "true", "True"}, {"kihon", "blKoumokuwrt", "7", "True"},
        {"kihon", "blKoumokuwrt", "-0", "False", true}, {"kihon", "blKoumokuwrt", "FALSE", "False", true},
        {"kihon", "blKoumokuwrt", "yes", "False"}, {"kihon", "intYose", "5", "5"}, {"kihon", "intYose", "70000", "70000"},
        {"kihon", "intYose", "3000000000", "0"}, {"kihon", "mZtext", "1", "1"}, {"kihon", "chkC", "x", "1", true},
        {"kihon", "Goukei", "1", "1"}, {"kihon", "Goukei", "0", "0"},  // saved off where the file has it
        {"kihon", "Kasanari", "1", "1"}, {"kihon", "Kasanari", "0", "0"}, {"kihon", "Kasanari", "2", "0"},
        {"kihon", "Check_ly", "lyF", "lyF"}, {"kihon", "Check_lc", "lc102", "lc102"},  // default kept where the file has it
    };
    for (const Case& c : cases) {
        TableSettings s = c.fromOpposite ? opposite : TableSettings{};
        ini::Document out = ini::Document::Parse(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.stored);
        LoadSettings(out, s);
        StoreSettings(s, out);
        EXPECT_EQ(out.Get(c.section, c.key, "missing"), c.saved) << c.key << "=" << c.stored;
    }
}

// A marker setting away from its default is added to a file without it; one at its default is not.
TEST(TableSettings, CheckMarkerKeysAreAddedOnlyWhenChanged) {
    TableSettings s;
    s.checkColour = "lc102";
    ini::Document doc;
    StoreSettings(s, doc);
    EXPECT_EQ(doc.Get("kihon", "Check_lc", "missing"), "lc102");
    EXPECT_EQ(doc.Get("kihon", "Check_ly", "missing"), "missing");
}

}  // namespace
