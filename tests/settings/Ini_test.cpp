#include "settings/Ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "base/Sjis.h"

namespace fs = std::filesystem;

namespace {

// Japanese texts below are written in UTF-8 and stored as the program stores them.
std::string Cp932(std::string_view utf8) {
    return sjis::Encode(utf8);
}

}  // namespace

TEST(IniDocument, GetFollowsPrivateProfileRules) {
    const ini::Document doc = ini::Document::Parse(Cp932(
        "outside=1\r\n"
        "[kihon]\r\n"
        "  Keta = 3 \t\r\n"
        "Tani=  \"m^2,1\"  \r\n"
        "Single='x'\r\n"
        "OneQuote=\"abc\r\n"
        "Inner=\" a \"\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "Keta=9\r\n"
        "名前=居室\r\n"
        "[KIHON]\r\n"
        "Solid_W=99\r\n"
        "[ア]\r\n"
        "k=katakana\r\n"));
    struct Case {
        const char* section;
        const char* key;
        const char* expected;  // "fallback" when the key is missing
    };
    const Case cases[] = {
        {"kihon", "Keta", "3"},          // blanks around dropped; the first of two keys counts
        {"KIHON", "keta", "3"},          // names compare without case
        {"kihon", "Tani", "m^2,1"},      // one pair of quotes dropped
        {"kihon", "Single", "x"},        // single quotes too
        {"kihon", "OneQuote", "\"abc"},  // an unpaired quote stays
        {"kihon", "Inner", " a "},       // blanks inside the quotes stay
        {"kihon", "Empty", ""},          // present but empty: not the fallback
        {"kihon", "NoEquals", "fallback"},
        {"kihon", "名前", "居室"},
        {"kihon", "Solid_W", "fallback"},  // only the first of duplicate sections is searched
        {"", "outside", "fallback"},       // a key outside any section is ignored
        {"Moji", "Mojishu", "fallback"},
        {"ア", "k", "katakana"},
        {"ヂ", "k", "fallback"},  // 83 61 folded as bytes would be 83 41 ("ア")
    };
    for (const Case& c : cases)
        EXPECT_EQ(doc.Get(c.section, c.key, "fallback"), c.expected) << c.section << "/" << c.key;
}

TEST(IniDocument, ValueComesBackCutTo254BytesOfCodePage932) {
    struct Case {
        std::string stored;  // UTF-8
        std::string expected;
    };
    const std::string a250(250, 'a');
    const Case cases[] = {
        {std::string(300, 'x'), std::string(254, 'x')},
        {std::string(254, 'x'), std::string(254, 'x')},
        {a250 + "aaaあい", a250 + "aaa"},  // a double-byte character is never cut in half
        {a250 + "aaあい", a250 + "aaあ"},
        {a250 + "ｱｲｳｴｵ", a250 + "ｱｲｳｴ"},  // half-width katakana take one byte
        {"\"" + std::string(260, 'q') + "\"", std::string(254, 'q')},  // quotes go before the cut
        {std::string("ab\0cd", 5), "ab"},  // the value ends at a NUL
    };
    for (const Case& c : cases) {
        ini::Document doc = ini::Document::Parse("[s]\r\nk=" + Cp932(c.stored) + "\r\n");
        EXPECT_EQ(doc.Get("s", "k", ""), c.expected) << c.stored.size();
    }
}

TEST(IniDocument, AnyLineEndIsReadAndCrLfIsWritten) {
    ini::Document doc = ini::Document::Parse("[a]\nx=1\ry=2\r\nz=3");
    EXPECT_EQ(doc.Get("a", "x", ""), "1");
    EXPECT_EQ(doc.Get("a", "y", ""), "2");
    EXPECT_EQ(doc.Get("a", "z", ""), "3");
    EXPECT_EQ(doc.Serialize(), "[a]\r\nx=1\r\ny=2\r\nz=3\r\n");
}

TEST(IniDocument, SetReplacesInPlaceOrAddsAndKeepsEverythingElse) {
    struct Case {
        const char* before;  // UTF-8, encoded to code page 932
        const char* section;
        const char* key;
        std::string value;
        const char* after;
    };
    const Case cases[] = {
        // In place, keeping the file's spelling of the key and what stands before "=".
        {"; メモ\r\n[kihon]\r\n  KETA = 3\r\nTani=坪\r\n", "KiHon", "keta", "1",
         "; メモ\r\n[kihon]\r\n  KETA =1\r\nTani=坪\r\n"},
        // A new key goes after the section's last line that is not blank.
        {"[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3",
         "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        {"[a]\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\n"},
        // A new section goes at the end; a missing last line end is added.
        {"[a]\r\nx=1", "c", "k", "v", "[a]\r\nx=1\r\n[c]\r\nk=v\r\n"},
        {"", "kihon", "Tani", "ソファ表,1", "[kihon]\r\nTani=ソファ表,1\r\n"},  // trail bytes 0x5C
        // Of duplicate sections and keys only the first is changed.
        {"[a]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\n", "a", "K", "9", "[a]\r\nk=9\r\nk=2\r\n[A]\r\nk=3\r\n"},
        // Bare LF and CR in the file: every line comes back with CR LF.
        {"[a]\nx=1\r[b]\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        // Values are written unchanged, but cannot break their line.
        {"[a]\r\n", "a", "k", "", "[a]\r\nk=\r\n"},
        {"[a]\r\n", "a", "k", " \"q\" ", "[a]\r\nk= \"q\" \r\n"},
        {"[a]\r\n", "a", "k", "1\r\n[x]\nj=2", "[a]\r\nk=1  [x] j=2\r\n"},
        {"[a]\r\n", "a", "k", std::string("ab\0cd", 5), "[a]\r\nk=ab\r\n"},
    };
    for (const Case& c : cases) {
        ini::Document doc = ini::Document::Parse(Cp932(c.before));
        doc.Set(c.section, c.key, c.value);
        EXPECT_EQ(doc.Serialize(), Cp932(c.after)) << c.before;
    }
}

TEST(IniDocument, Utf8FileWithBomStaysUtf8) {
    const std::string bom = "\xEF\xBB\xBF";
    ini::Document doc = ini::Document::Parse(bom + "[設定]\r\n単位=坪\r\n");
    EXPECT_EQ(doc.Get("設定", "単位", ""), "坪");
    doc.Set("設定", "名前", "居室");
    EXPECT_EQ(doc.Serialize(), bom + "[設定]\r\n単位=坪\r\n名前=居室\r\n");
}

class IniFile : public ::testing::Test {
protected:
    std::string Path(std::string_view name) const { return dir_.File(name); }
    std::ptrdiff_t FileCount() const {
        return std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator());
    }

    TempFolder dir_;
};

TEST_F(IniFile, UpdateCreatesTheFileAndKeepsWhatItHad) {
    const std::string path = Path("Vemora.INI");
    auto set = [](std::string_view section, std::string_view key, std::string_view value) {
        return [=](ini::Document& doc) { doc.Set(section, key, value); };
    };
    EXPECT_EQ(ini::Document::Load(path).Get("kihon", "Keta", "3"), "3");  // no file: the fallback
    ASSERT_TRUE(ini::Update(path, set("kihon", "Keta", "1")));
    ASSERT_TRUE(ini::Update(path, set("Grid", "Soto_lc", "lc12")));
    ASSERT_TRUE(ini::Update(path, set("kihon", "Keta", "2")));
    EXPECT_EQ(ini::Document::Load(path).Get("kihon", "Keta", "3"), "2");
    EXPECT_EQ(file::Read(path).value(), "[kihon]\r\nKeta=2\r\n[Grid]\r\nSoto_lc=lc12\r\n");
    EXPECT_EQ(FileCount(), 1);  // no temporary file left behind
}

TEST_F(IniFile, FailedSaveIsReportedAndLeavesNothing) {
    const std::string path = Path("missing/Vemora.INI");
    EXPECT_FALSE(ini::Update(path, [](ini::Document& doc) { doc.Set("kihon", "Keta", "1"); }));
    EXPECT_EQ(FileCount(), 0);
}
