// Settings, list, table and registry files as users' editors and other tools leave them:
// each reads to a defined result, and writing one key keeps every other line as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostileSupport.h"
#include "base/Sjis.h"
#include "base/Text.h"
#include "host/JwRegistry.h"
#include "model/Quantities.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"
#include "settings/ListFile.h"

namespace {

using namespace hostile;

std::vector<std::string_view> Lines(std::string_view bytes) {
    return text::SplitLines(bytes);
}

// After setting kihon/rounding, every line but the one set is as before.
void ExpectOnlyRoundingLineChanged(std::string_view before, std::string_view after, std::string_view newLine) {
    std::vector<std::string_view> a = Lines(before), b = Lines(after);
    ASSERT_EQ(a.size(), b.size());
    int changed = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        ++changed;
        EXPECT_EQ(b[i], newLine);
    }
    EXPECT_EQ(changed, 1);
}

TEST(HostileSettings, DuplicateSectionsAndKeysAndAKeyOutsideAnySection) {
    const std::string bytes = Fixture("hostile/duplicates.ini");
    ini::Document doc = ini::Document::Parse(bytes);
    // The first section of a name and its first key count; "Keta=9" before any section is
    // no key; the second [KIHON] and [grid] are never read.
    EXPECT_EQ(doc.Get("kihon", "Keta", "-"), "1");
    EXPECT_EQ(doc.Get("Grid", "Sotowaku", "-"), "0");
    EXPECT_EQ(doc.Get("Grid", "Soto_lc", "-"), "-");
    EXPECT_EQ(doc.Get("kihon", "Solid_W", "-"), "-");
    TableSettings settings;
    LoadSettings(doc, settings);
    EXPECT_EQ(settings.rounding, "1");
    EXPECT_EQ(settings.outerFrame, 0);
    EXPECT_EQ(settings.sampleWidth, "20");
    EXPECT_EQ(settings.defaultUnit, "坪,0.3025");

    doc.Set("KIHON", "keta", "4");
    ExpectOnlyRoundingLineChanged(bytes, doc.Serialize(), "Keta=4");
}

TEST(HostileSettings, TenThousandCharacterValue) {
    const std::string bytes = Fixture("hostile/long-value.ini");
    ini::Document doc = ini::Document::Parse(bytes);
    // Read through the 254-byte buffer: 127 double-byte characters, none cut in half.
    std::string unit = doc.Get("kihon", "Tani", "");
    EXPECT_EQ(sjis::Encode(unit).size(), 254u);
    EXPECT_EQ(unit, [] {
        std::string s;
        for (int i = 0; i < 127; ++i)
            s += "面";
        return s;
    }());
    EXPECT_EQ(doc.Get("kihon", "Keta", ""), "2");
    // Writing another key keeps the long line whole.
    doc.Set("kihon", "Keta", "3");
    ExpectOnlyRoundingLineChanged(bytes, doc.Serialize(), "Keta=3");
}

TEST(HostileSettings, Utf8ByteOrderMark) {
    const std::string bytes = Fixture("hostile/bom.ini");
    ini::Document doc = ini::Document::Parse(bytes);
    EXPECT_EQ(doc.Get("kihon", "Tani", ""), "㎡,1");
    EXPECT_EQ(doc.Get("kihon", "Keta", ""), "1");
    doc.Set("kihon", "Keta", "2");
    std::string written = doc.Serialize();
    EXPECT_EQ(written, "\xEF\xBB\xBF[kihon]\r\nTani=㎡,1\r\nKeta=2\r\n");
}

TEST(HostileLists, HeaderOnTheLastLine) {
    ListFile list = ParseListFile(Fixture("hostile/header-last.lst"));
    EXPECT_EQ(list.items, (std::vector<std::string>{"居室", "廊下"}));
    EXPECT_EQ(list.units, std::vector<std::string>{"m^2,1"});
}

TEST(HostileTables, ItemCountOutsideTheRows) {
    struct Case {
        const char* file;
        int firstFreeRow;
    };
    for (Case c : {Case{"count-99.JHY", 17}, Case{"count-minus5.JHY", 1}}) {
        SCOPED_TRACE(c.file);
        TableSettings settings;
        Table table;
        table.Row(1).name = "before";
        OpenTableFile(Data(std::string("hostile/") + c.file).string(), settings, table);
        EXPECT_EQ(settings.rounding, "1");
        EXPECT_EQ(table.firstFreeRow, c.firstFreeRow);
        for (int i = 1; i < c.firstFreeRow; ++i) {
            EXPECT_EQ(table.Row(i).name, "項目" + std::to_string(i));
            EXPECT_EQ(table.Row(i).colour, i * 1000);
            EXPECT_EQ(table.Row(i).unitEntry, "m2," + std::to_string(i));
        }
        if (c.firstFreeRow == 1) {
            EXPECT_EQ(table.Row(1).name, "before");
        }
    }
}

TEST(HostileTables, NulAndInvalidShiftJisInNames) {
    TableSettings settings;
    Table table;
    OpenTableFile(Data("hostile/nul-invalid.JHY").string(), settings, table);
    ASSERT_EQ(table.firstFreeRow, 3);
    // A value ends at a NUL; a byte that is no Shift_JIS reads as the replacement character.
    EXPECT_EQ(table.Row(1).name, "壁");
    EXPECT_EQ(table.Row(1).unitEntry, "m2");
    EXPECT_EQ(table.Row(1).factor, 1.0);
    EXPECT_EQ(table.Row(2).name, "\uFFFD \uFFFD床");
    EXPECT_EQ(UnitCaption(table.Row(2).unitEntry), "\uFFFD");
    EXPECT_EQ(table.Row(2).factor, 3.0);
}

TEST(HostileRegistry, TruncatedUtf16Export) {
    std::unique_ptr<RegistrySource> registry = RegistryExport(Fixture("hostile/truncated-utf16.reg"));
    constexpr std::string_view pen = "Software\\Jw_cad\\jw_win\\Pen";
    EXPECT_EQ(registry->ReadText(pen, "Color00"), std::optional<std::string>("ffffff"));
    EXPECT_EQ(registry->ReadText(pen, "Color02"), std::optional<std::string>("123456"));
    // The value cut off by the end of the file is missing, not half read.
    EXPECT_EQ(registry->ReadText(pen, "Color03"), std::nullopt);
    JwSettings jw = ReadPenColours(*registry);
    EXPECT_EQ(jw.background, 0xFFFFFF);
    EXPECT_EQ(jw.pens[1], 0x00FF00);
    EXPECT_EQ(jw.pens[3], ReadPenColours(*NoRegistry()).pens[3]);
    EXPECT_EQ(ReadZFile(*registry), "c:\\jww");
}

}  // namespace
