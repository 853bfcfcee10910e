#include "platform/win32/CommonDialogs.h"

#include <gtest/gtest.h>

TEST(CommonDialogs, FilterBarsBecomeNulsAndTheListEndsWithOne) {
    // The system reads pairs of NUL-terminated texts up to an empty one.
    std::wstring filter = FilterForSystem("表ファイル (*.JHY)|*.JHY");
    EXPECT_EQ(filter, std::wstring(L"表ファイル (*.JHY)\0*.JHY\0", 20));
    EXPECT_EQ(filter.c_str()[filter.size()], L'\0');  // the double NUL

    EXPECT_EQ(FilterForSystem("All|*.*|"), std::wstring(L"All\0*.*\0", 8));  // already ends with one
    EXPECT_EQ(FilterForSystem(""), std::wstring(L"\0", 1));
}
