#include "base/Utf16.h"

#include <gtest/gtest.h>

TEST(Utf16, RoundTripsJapaneseAndHalfWidthKatakana) {
    for (const char* text : {"", "m^2,1", "面積表", "ﾊﾞｰｼﾞｮﾝ 1.0.0", "#c#FF8000", "単　位\t坪\r\n"}) {
        std::wstring wide = utf16::Widen(text);
        EXPECT_EQ(utf16::Narrow(wide), text);
    }
    EXPECT_EQ(utf16::Widen("面積"), std::wstring(L"\u9762\u7A4D"));
}

TEST(Utf16, CharactersOutsideTheBmpBecomeSurrogatePairs) {
    std::wstring wide = utf16::Widen("\xF0\x9F\x98\x80");  // U+1F600
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(utf16::Narrow(wide), "\xF0\x9F\x98\x80");
}

TEST(Utf16, InvalidInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf16::Widen("a\xFF"
                           "b"),
              std::wstring(L"a\uFFFDb"));
    EXPECT_EQ(utf16::Narrow(std::wstring(L"a\xD800"
                                         L"b")),
              "a\xEF\xBF\xBD"
              "b");
}
