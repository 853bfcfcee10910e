#include "base/Sjis.h"

#include <gtest/gtest.h>

TEST(Sjis, RoundTripsJapaneseAndExtensions) {
    // Hiragana, kanji, half-width katakana, NEC row 13 (①), NEC-selected IBM (纊), IBM (纊 at FA5C).
    const std::string bytes = "\x82\xa0\x96\xca\x90\xcf\xb1\x87\x40\xed\x40\xfa\x5c";
    std::string utf8 = sjis::Decode(bytes);
    EXPECT_EQ(utf8, "あ面積ｱ①纊纊");
    // Two code points of the NEC-selected IBM rows come back in IBM's form, as Windows does.
    EXPECT_EQ(sjis::Encode("あ面積ｱ①"), "\x82\xa0\x96\xca\x90\xcf\xb1\x87\x40");
}

TEST(Sjis, MicrosoftMappingOfSymbols) {
    EXPECT_EQ(sjis::Decode("\x81\x60"), "～");  // wave dash is the full-width tilde in CP932
    EXPECT_EQ(sjis::Decode("\\~"), "\\~");      // 0x5C and 0x7E stay ASCII
    EXPECT_EQ(sjis::Encode("・"), "\x81\x45");
}

TEST(Sjis, InvalidInputIsReplacedAndFlagged) {
    bool lossy = false;
    EXPECT_EQ(sjis::Decode(std::string("a\x82", 2), &lossy), "a\xEF\xBF\xBD");
    EXPECT_TRUE(lossy);
    lossy = false;
    EXPECT_EQ(sjis::Encode("a😀b", &lossy), "a?b");
    EXPECT_TRUE(lossy);
    lossy = false;
    EXPECT_EQ(sjis::Encode(std::string("x\xff", 2), &lossy), "x?");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(sjis::Decode(std::string("\0a", 2)), std::string("\0a", 2));
}

// Every platform: one "?" per character without a code page 932 form, one per ill-formed
// sequence (the longest start of a character, or else one byte), and the text after it kept.
TEST(Sjis, InvalidUtf8BecomesOneMarkPerBrokenSequence) {
    struct Case {
        std::string utf8;
        std::string cp932;
    };
    const Case cases[] = {
        {"x\xE3" "Ay", "x?Ay"},                       // a lead byte without its continuation
        {"x\xF0" "ABCy", "x?ABCy"},                   // the bytes a lead announces are not skipped
        {"x\xE3\x81", "x?"},                          // a character cut off at the end
        {"\xE3\x81\xE3\x81\x82", "?\x82\xa0"},        // cut off before a whole one (あ)
        {"\xF0\x9F\x98" "a", "?a"},                   // a cut-off character outside the BMP
        {"\xFF\xF0\x9F\x98\x80", "??"},               // an invalid byte, then one outside the BMP
        {"\x80\xBF", "??"},                           // stray continuation bytes
        {"\xC0\xAF" "b", "??b"},                      // overlong "/"
        {"\xE0\x80\xAF", "???"},                      // overlong "/" in three bytes
        {"\xED\xA0\x80", "???"},                      // a surrogate
        {"\xF4\x90\x80\x80", "????"},                 // above U+10FFFF
        {"\xC3\xA9\xFF\xE9\x9D\xA2", "??\x96\xca"},   // é (no form), invalid byte, 面
    };
    for (const Case& c : cases) {
        bool lossy = false;
        EXPECT_EQ(sjis::Encode(c.utf8, &lossy), c.cp932) << testing::PrintToString(c.utf8);
        EXPECT_TRUE(lossy) << testing::PrintToString(c.utf8);
    }
}

TEST(Sjis, ByteWidthCountsEncodedBytes) {
    EXPECT_EQ(sjis::ByteWidth(""), 0u);
    EXPECT_EQ(sjis::ByteWidth("m^2"), 3u);
    EXPECT_EQ(sjis::ByteWidth("床材"), 4u);
    EXPECT_EQ(sjis::ByteWidth("ｶﾞ"), 2u);  // half-width katakana and its voicing mark
    EXPECT_EQ(sjis::ByteWidth("・"), 2u);
}

TEST(Sjis, LeadBytesAreTheTwoRangesOnly) {
    for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(sjis::IsLeadByte(static_cast<char>(b))) << b;
    for (int b : {0x41, 0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(sjis::IsLeadByte(static_cast<char>(b))) << b;
}
