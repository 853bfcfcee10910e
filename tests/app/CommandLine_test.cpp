#include "app/CommandLine.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksAndTabs) {
    struct Case {
        const char* line;
        int max;
        Words words;
    };
    const Case cases[] = {
        {"", 10, {""}},
        {" \t  ", 10, {""}},
        {"M3", 10, {"", "M3"}},
        {"\t C2  x\ty ", 10, {"", "C2", "x", "y"}},
        {"\"C:\\Program Files\\M3\"", 10, {"", "\"C:\\Program", "Files\\M3\""}},  // quotes mean nothing
        {"面積 表", 10, {"", "面積", "表"}},
        {"a b c", 2, {"", "a", "b"}},
        {"a b", 0, {""}},
        {"a b", -1, {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line, c.max), c.words) << c.line;

    Words twelve = SplitCommandLine("1 2 3 4 5 6 7 8 9 10 11 12");
    ASSERT_EQ(twelve.size(), 11u);
    EXPECT_EQ(twelve[10], "10");
}

TEST(CommandLine, LastTwoCharactersOfTheFirstWordChooseTheMode) {
    struct Case {
        const char* line;
        ModeCode mode;
    };
    const Case cases[] = {
        {"M3", ModeCode::ColourChange},
        {"/M3", ModeCode::ColourChange},
        {"areaM3", ModeCode::ColourChange},
        {"M4", ModeCode::LayerDistribution},
        {"M5", ModeCode::Overlap},
        {"M6", ModeCode::TableCreation},
        {"M7", ModeCode::LayerNamesExternal},
        {"C1", ModeCode::PreviousArea},
        {"C2", ModeCode::NewArea},
        {"  \tC2\t", ModeCode::NewArea},
        {"面積C2", ModeCode::NewArea},
        {"m3", ModeCode::TableCreation},  // case matters
        {"c2", ModeCode::TableCreation},
        {"M8", ModeCode::TableCreation},
        {"3", ModeCode::TableCreation},
        {"M", ModeCode::TableCreation},
        {"M3x", ModeCode::TableCreation},
        {"M3\"", ModeCode::TableCreation},
        {"表示", ModeCode::TableCreation},  // two characters of three bytes each
        {"M5 C1", ModeCode::Overlap},       // words after the first are ignored
        {"x M3", ModeCode::TableCreation},
        {"", ModeCode::LayerNames},
        {" \t ", ModeCode::LayerNames},
    };
    for (const Case& c : cases) EXPECT_EQ(SelectMode(c.line), c.mode) << c.line;
}

TEST(CommandLine, CaptionPerMode) {
    struct Case {
        ModeCode mode;
        std::uint32_t reverse;
        const char* caption;
    };
    const Case cases[] = {
        {ModeCode::TableCreation, 0, "Vemora【表作成モード】"},
        {ModeCode::NewArea, 0, "Vemora【新規表-面積測定モード】"},
        {ModeCode::PreviousArea, 0, "Vemora【前回表使用-面積測定モード】"},
        {ModeCode::ColourChange, 0, "Vemora【色変更モード】"},
        {ModeCode::LayerDistribution, 1, "Vemora【レイヤ振分けモード】"},
        {ModeCode::Overlap, 0, "Vemora【重なり変更モード-正順描画】"},
        {ModeCode::Overlap, 1, "Vemora【重なり変更モード-逆順描画】"},
        {ModeCode::Overlap, 0xFFFFFFFF, "Vemora【重なり変更モード-逆順描画】"},
        {ModeCode::LayerNames, 0, "【レイヤ名設定モード】"},
        {ModeCode::LayerNamesExternal, 1, "【レイヤ名設定モード】外変"},
    };
    for (const Case& c : cases) EXPECT_EQ(ModeCaption(c.mode, c.reverse), c.caption) << ToInt(c.mode);
}
