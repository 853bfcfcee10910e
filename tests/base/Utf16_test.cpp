#include "base/Utf16.h"

#include <gtest/gtest.h>

// Round trips, U+1F600 as a surrogate pair, and invalid input as replacement characters.
TEST(Utf16, ConvertsBothWays) {
    for (const char* text : {"", "m^2,1", "面積表", "ﾊﾞｰｼﾞｮﾝ 1.0.0", "#c#FF8000", "単　位\t坪\r\n", "\xF0\x9F\x98\x80"})
        EXPECT_EQ(utf16::Narrow(utf16::Widen(text)), text);
    EXPECT_EQ(utf16::Widen("面積"), std::wstring(L"\u9762\u7A4D"));
    EXPECT_EQ(utf16::Widen("\xF0\x9F\x98\x80").size(), 2u);
    EXPECT_EQ(utf16::Widen("a\xFF" "b"), std::wstring(L"a\uFFFDb"));
    EXPECT_EQ(utf16::Narrow(std::wstring(L"a\xD800" L"b")), "a\xEF\xBF\xBD" "b");
}
