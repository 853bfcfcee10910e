#include "settings/Ini.h"

#include <gtest/gtest.h>

#include <tuple>

#include "TempFolder.h"
#include "base/Sjis.h"

namespace {

// Japanese texts below are written in UTF-8 and stored as the program stores them.
std::string Cp932(std::string_view utf8) {
    return sjis::Encode(utf8);
}

TEST(IniDocument, GetFollowsPrivateProfileRules) {
    const ini::Document doc = ini::Document::Parse(
        Cp932("outside=1\r\n[kihon]\r\n  Keta = 3 \t\r\nTani=  \"m^2,1\"  \r\nSingle='x'\r\nOneQuote=\"abc\r\n"
              "Inner=\" a \"\r\nEmpty=\r\nNoEquals\r\nKeta=9\r\n名前=居室\r\n[KIHON]\r\nSolid_W=99\r\n[ア]\r\nk=katakana"));
    // Blanks around a value are dropped, one pair of quotes (double or single) too, but not an
    // unpaired quote or blanks inside the quotes; the first of two keys counts; names compare
    // without case; an empty value is no fallback; only the first of duplicate sections is
    // searched; a key outside any section is ignored; the last line may lack its line end;
    // "ヂ" (83 61) folded as bytes would be 83 41 ("ア").
    const std::tuple<const char*, const char*, const char*> cases[] = {  // "fallback": the key is missing
        {"kihon", "Keta", "3"}, {"KIHON", "keta", "3"}, {"kihon", "Tani", "m^2,1"}, {"kihon", "Single", "x"},
        {"kihon", "OneQuote", "\"abc"}, {"kihon", "Inner", " a "}, {"kihon", "Empty", ""},
        {"kihon", "NoEquals", "fallback"}, {"kihon", "名前", "居室"}, {"kihon", "Solid_W", "fallback"},
        {"", "outside", "fallback"}, {"Moji", "Mojishu", "fallback"}, {"ア", "k", "katakana"}, {"ヂ", "k", "fallback"},
    };
    for (auto [section, key, expected] : cases) EXPECT_EQ(doc.Get(section, key, "fallback"), expected) << key;
}

TEST(IniDocument, ValueComesBackCutTo254BytesOfCodePage932) {
    // A double-byte character is never cut in half, half-width katakana take one byte, quotes
    // go before the cut, and the value ends at a NUL.
    const std::string a250(250, 'a'), x254(254, 'x');
    const std::pair<std::string, std::string> cases[] = {  // UTF-8
        {std::string(300, 'x'), x254}, {x254, x254}, {a250 + "aaaあい", a250 + "aaa"}, {a250 + "aaあい", a250 + "aaあ"},
        {a250 + "ｱｲｳｴｵ", a250 + "ｱｲｳｴ"}, {"\"" + std::string(260, 'x') + "\"", x254}, {std::string("ab\0cd", 5), "ab"},
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(ini::Document::Parse("[s]\r\nk=" + Cp932(stored) + "\r\n").Get("s", "k", ""), expected) << stored.size();
}

TEST(IniDocument, SetReplacesInPlaceOrAddsAndKeepsEverythingElse) {
    const std::tuple<const char*, const char*, const char*, std::string, const char*> cases[] = {  // UTF-8
        // In place, keeping the file's spelling of the key and what stands before "=".
        {"; メモ\r\n[kihon]\r\n  KETA = 3\r\nTani=坪\r\n", "KiHon", "keta", "1",
         "; メモ\r\n[kihon]\r\n  KETA =1\r\nTani=坪\r\n"},
        // A new key goes after the section's last line that is not blank.
        {"[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3", "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        {"[a]\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\n"},
        // A new section goes at the end; a missing last line end is added.
        {"[a]\r\nx=1", "c", "k", "v", "[a]\r\nx=1\r\n[c]\r\nk=v\r\n"},
        {"", "kihon", "Tani", "ソファ表,1", "[kihon]\r\nTani=ソファ表,1\r\n"},  // trail bytes 0x5C
        // Of duplicate sections and keys only the first is changed.
        {"[a]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\n", "a", "K", "9", "[a]\r\nk=9\r\nk=2\r\n[A]\r\nk=3\r\n"},
        // Bare LF and CR in the file: every line comes back with CR LF.
        {"[a]\nx=1\r[b]\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        // Values are written unchanged, but cannot break their line.
        {"[a]\r\n", "a", "k", "", "[a]\r\nk=\r\n"}, {"[a]\r\n", "a", "k", " \"q\" ", "[a]\r\nk= \"q\" \r\n"},
        {"[a]\r\n", "a", "k", "1\r\n[x]\nj=2", "[a]\r\nk=1  [x] j=2\r\n"},
        {"[a]\r\n", "a", "k", std::string("ab\0cd", 5), "[a]\r\nk=ab\r\n"},
    };
    for (const auto& [before, section, key, value, after] : cases) {
        ini::Document doc = ini::Document::Parse(Cp932(before));
        doc.Set(section, key, value);
        EXPECT_EQ(doc.Serialize(), Cp932(after)) << before;
    }
}

TEST(IniDocument, Utf8FileWithBomStaysUtf8) {
    const std::string bom = "\xEF\xBB\xBF";
    ini::Document doc = ini::Document::Parse(bom + "[設定]\r\n単位=坪\r\n");
    EXPECT_EQ(doc.Get("設定", "単位", ""), "坪");
    doc.Set("設定", "名前", "居室");
    EXPECT_EQ(doc.Serialize(), bom + "[設定]\r\n単位=坪\r\n名前=居室\r\n");
}

TEST(IniFile, UpdateCreatesTheFileKeepsWhatItHadAndReportsAFailedSave) {
    TempFolder dir;
    const std::string path = dir.File("Vemora.INI");
    auto set = [](std::string_view section, std::string_view key, std::string_view value) {
        return [=](ini::Document& doc) { doc.Set(section, key, value); };
    };
    EXPECT_EQ(ini::Document::Load(path).Get("kihon", "Keta", "3"), "3");  // no file: the fallback
    ASSERT_TRUE(ini::Update(path, set("kihon", "Keta", "1")));
    ASSERT_TRUE(ini::Update(path, set("Grid", "Soto_lc", "lc12")));
    ASSERT_TRUE(ini::Update(path, set("kihon", "Keta", "2")));
    EXPECT_EQ(file::Read(path), "[kihon]\r\nKeta=2\r\n[Grid]\r\nSoto_lc=lc12\r\n");
    EXPECT_FALSE(ini::Update(dir.File("missing/Vemora.INI"), set("kihon", "Keta", "1")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
