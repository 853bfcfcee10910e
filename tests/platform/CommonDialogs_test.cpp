#include "platform/win32/CommonDialogs.h"

#include <gtest/gtest.h>

// The system reads pairs of NUL-terminated texts up to an empty one.
TEST(CommonDialogs, FilterBarsBecomeNulsAndTheListEndsWithAnEmptyText) {
    std::wstring filter = FilterForSystem("表ファイル (*.JHY)|*.JHY");
    EXPECT_EQ(filter, std::wstring(L"表ファイル (*.JHY)\0*.JHY\0", 20));
    EXPECT_EQ(filter.c_str()[filter.size()], L'\0');
    EXPECT_EQ(FilterForSystem("All|*.*|"), std::wstring(L"All\0*.*\0", 8));
}
