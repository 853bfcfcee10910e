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

TEST(Sjis, ByteWidthCountsEncodedBytes) {
    EXPECT_EQ(sjis::ByteWidth(""), 0u);
    EXPECT_EQ(sjis::ByteWidth("m^2"), 3u);
    EXPECT_EQ(sjis::ByteWidth("床材"), 4u);
    EXPECT_EQ(sjis::ByteWidth("ｶﾞ"), 2u);  // half-width katakana and its voicing mark
    EXPECT_EQ(sjis::ByteWidth("・"), 2u);
}
