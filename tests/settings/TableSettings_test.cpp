#include "settings/TableSettings.h"

#include <gtest/gtest.h>

#include "base/File.h"
#include "base/Sjis.h"

namespace {

std::string Fixture(const char* name) {
    return file::Read(std::string(VEMORA_TEST_DATA "/settings/") + name).value();
}

}  // namespace

TEST(TableSettings, DefaultsSaveToTheStandardFile) {
    ini::Document doc;
    StoreSettings(TableSettings{}, doc);
    EXPECT_EQ(doc.Serialize(), Fixture("default-settings.ini"));

    TableSettings loaded;
    loaded.rounding = "0";
    LoadSettings(ini::Document::Parse(Fixture("default-settings.ini")), loaded);
    EXPECT_EQ(loaded, TableSettings{});
}

TEST(TableSettings, MissingKeysKeepTheCurrentValues) {
    TableSettings expected;
    expected.rounding = "1";
    TableSettings s;
    LoadSettings(ini::Document::Parse("[kihon]\r\nKeta=1\r\n"), s);
    EXPECT_EQ(s, expected);  // only the rounding changed

    TableSettings current;
    current.outerFrame = 0;
    current.defaultUnit = "坪,0.3025";
    current.itemTableFlag = true;
    current.nameAlignment = 2;
    TableSettings before = current;
    LoadSettings(ini::Document::Parse("[koumoku]\r\nkoumoku1=居室\r\n"), current);  // a table file without settings
    EXPECT_EQ(current, before);
}

// Each value is loaded into the defaults, or into `opposite` where the default would not tell
// a converted value from a kept one, and saved again; `saved` is what the key then holds.
TEST(TableSettings, ValuesConvertOrKeepTheSetting) {
    struct Case {
        const char* section;
        const char* key;
        const char* stored;
        const char* saved;
        bool fromOpposite = false;
    };
    TableSettings opposite;
    opposite.outerFrame = 0;
    opposite.itemTableFlag = true;
    opposite.upperCaseColourNames = 1;
    const Case cases[] = {
        {"Grid", "Sotowaku", "0", "0"},
        {"Grid", "Sotowaku", "abc", "1"},
        {"Grid", "Sotowaku", "2", "0", true},  // a check box has two states
        {"Grid", "Sotowaku", "", "1"},
        {"Grid", "Soto_lc", "lc12", "lc12"},  // texts are taken as they are
        {"kihon", "Tani", "", ""},
        {"kihon", "tensoType", "-3", "-3"},
        {"kihon", "tensoType", "+1", "1"},
        {"kihon", "tensoType", "32767", "32767"},
        {"kihon", "tensoType", "32768", "0"},  // out of the 16-bit range
        {"kihon", "tensoType", "1.6", "0"},    // no decimals
        {"kihon", "tensoType", "&H1", "0"},
        {"kihon", "tensoType", "+-1", "0"},
        {"kihon", "tensoType", "1 2", "0"},
        {"kihon", "blKoumokuwrt", "-1", "True"},
        {"kihon", "blKoumokuwrt", "true", "True"},
        {"kihon", "blKoumokuwrt", "7", "True"},
        {"kihon", "blKoumokuwrt", "-0", "False", true},
        {"kihon", "blKoumokuwrt", "yes", "False"},
        {"kihon", "intYose", "5", "5"},  // no alignment, but kept
        {"kihon", "intYose", "70000", "70000"},
        {"kihon", "intYose", "3000000000", "0"},
        {"kihon", "mZtext", "1", "1"},
        {"kihon", "chkC", "x", "1", true},
    };
    for (const Case& c : cases) {
        TableSettings s = c.fromOpposite ? opposite : TableSettings{};
        LoadSettings(ini::Document::Parse(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.stored), s);
        ini::Document out;
        StoreSettings(s, out);
        EXPECT_EQ(out.Get(c.section, c.key, "missing"), c.saved) << c.key << "=" << c.stored;
    }

    TableSettings yes;
    LoadSettings(ini::Document::Parse("[kihon]\r\nblKoumokuwrt=-1\r\n"), yes);
    TableSettings no = yes;
    LoadSettings(ini::Document::Parse("[kihon]\r\nblKoumokuwrt=FALSE\r\n"), no);
    EXPECT_TRUE(yes.itemTableFlag);
    EXPECT_FALSE(no.itemTableFlag);
}

TEST(TableSettings, LongTextComesBackCut) {
    TableSettings s;
    LoadSettings(ini::Document::Parse("[kihon]\r\nTani=" + std::string(300, 'm') + "\r\n"), s);
    EXPECT_EQ(s.defaultUnit, std::string(254, 'm'));
}

TEST(TableSettings, SaveKeepsOtherSectionsAndComments) {
    ini::Document doc = ini::Document::Parse(Fixture("mixed.ini"));
    TableSettings s;
    LoadSettings(doc, s);
    EXPECT_EQ(s.outerFrame, 0);
    EXPECT_EQ(s.outerFrameColour, "lc12");
    EXPECT_EQ(s.rounding, "1");
    EXPECT_EQ(s.defaultUnit, "坪,0.3025");
    StoreSettings(s, doc);
    EXPECT_EQ(doc.Serialize(), Fixture("mixed-saved.ini"));
}
