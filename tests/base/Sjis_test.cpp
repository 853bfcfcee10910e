#include "base/Sjis.h"

#include <gtest/gtest.h>

#include <tuple>

// Hiragana, kanji, half-width katakana, NEC row 13 (①), NEC-selected IBM (纊 at ED40), IBM
// (纊 at FA5C); the wave dash is the full-width tilde, 0x5C and 0x7E stay ASCII; a NUL is kept.
TEST(Sjis, DecodesCodePage932AsWindowsDoes) {
    const std::tuple<std::string, std::string, bool> cases[] = {  // code page 932, UTF-8, lossy
        {"\x82\xa0\x96\xca\x90\xcf\xb1\x87\x40\xed\x40\xfa\x5c", "あ面積ｱ①纊纊", false},
        {"\x81\x60\\~", "～\\~", false},
        {std::string("\0a", 2), std::string("\0a", 2), false},
        {"a\x82", "a\xEF\xBF\xBD", true},  // a lead byte cut off at the end
    };
    for (const auto& [cp932, utf8, lossy] : cases) {
        bool lost = false;
        EXPECT_EQ(sjis::Decode(cp932, &lost), utf8) << utf8;
        EXPECT_EQ(lost, lossy) << utf8;
    }
}

// Two code points of the NEC-selected IBM rows come back in IBM's form, as Windows does.
// One "?" per character without a code page 932 form (😀, é), one per ill-formed sequence
// (the longest start of a character, or else one byte), and the text after it kept: a lead
// byte without its continuation, the bytes a lead announces (not skipped), a character cut
// off at the end or before a whole one (あ), a cut-off character outside the BMP, an invalid
// byte then one outside the BMP, stray continuation bytes, overlong "/" in two and three
// bytes, a surrogate, above U+10FFFF, and é, an invalid byte and 面.
TEST(Sjis, EncodesWithOneMarkPerCharacterOrBrokenSequence) {
    struct Case {
        std::string utf8, cp932;
        bool lossy = true;
    } cases[] = {
        {"あ面積ｱ①・", "\x82\xa0\x96\xca\x90\xcf\xb1\x87\x40\x81\x45", false}, {"a😀b", "a?b"}, {"x\xff", "x?"},
        {"x\xE3" "Ay", "x?Ay"}, {"x\xF0" "ABCy", "x?ABCy"}, {"x\xE3\x81", "x?"}, {"\xE3\x81\xE3\x81\x82", "?\x82\xa0"},
        {"\xF0\x9F\x98" "a", "?a"}, {"\xFF\xF0\x9F\x98\x80", "??"}, {"\x80\xBF", "??"}, {"\xC0\xAF" "b", "??b"},
        {"\xE0\x80\xAF", "???"}, {"\xED\xA0\x80", "???"}, {"\xF4\x90\x80\x80", "????"},
        {"\xC3\xA9\xFF\xE9\x9D\xA2", "??\x96\xca"},
    };
    for (const Case& c : cases) {
        bool lossy = false;
        EXPECT_EQ(sjis::Encode(c.utf8, &lossy), c.cp932) << testing::PrintToString(c.utf8);
        EXPECT_EQ(lossy, c.lossy) << testing::PrintToString(c.utf8);
    }
}

TEST(Sjis, ByteWidthAndLeadBytes) {
    // Half-width katakana and its voicing mark take a byte each.
    const std::pair<const char*, std::size_t> widths[] = {{"", 0}, {"m^2", 3}, {"床材・", 6}, {"ｶﾞ", 2}};
    for (auto [text, width] : widths) EXPECT_EQ(sjis::ByteWidth(text), width) << text;
    // Lead bytes are 81..9F and E0..FC.
    for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(sjis::IsLeadByte(static_cast<char>(b))) << b;
    for (int b : {0x41, 0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(sjis::IsLeadByte(static_cast<char>(b))) << b;
}
