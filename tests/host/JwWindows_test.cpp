#include "host/JwWindows.h"

#include <gtest/gtest.h>

#include "base/Text.h"

using handoff::MatchTitle;
using handoff::TitleMatch;

TEST(JwWindows, TitleMatchesWordWholeAtStartOrAtEnd) {
    struct Case {
        const char* title;
        TitleMatch match;
    } cases[] = {
        {"jw_win", TitleMatch::Exact},
        {"JW_Win", TitleMatch::Exact},
        {"jw_win - 無題", TitleMatch::BeginsWith},
        {"無題 - jw_win", TitleMatch::EndsWith},
        {"無題 - JW_WIN", TitleMatch::EndsWith},
        {"jw_win.txt - メモ帳", TitleMatch::BeginsWith},
        {"メモ - jw_win.txt", TitleMatch::None},
        {"jw_wi", TitleMatch::None},
        {"", TitleMatch::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchTitle(c.title, "jw_win"), c.match) << c.title;
    EXPECT_GT(TitleMatch::Exact, TitleMatch::BeginsWith);
    EXPECT_GT(TitleMatch::BeginsWith, TitleMatch::EndsWith);
}

TEST(JwWindows, ClassPrefixIgnoresAsciiCase) {
    EXPECT_TRUE(text::StartsWithNoCase("AfxControlBar140su", "AfxControlBar"));
    EXPECT_TRUE(text::StartsWithNoCase("afxcontrolbar42s", "AfxControlBar"));
    EXPECT_FALSE(text::StartsWithNoCase("AfxControlBa", "AfxControlBar"));
    EXPECT_FALSE(text::StartsWithNoCase("AfxFrameOrView42s", "AfxControlBar"));
}
