// The mode word on the command line, and the pure helpers the window draws the swatches with.
#include "ui/Modes.h"

#include <gtest/gtest.h>

namespace {

TEST(Modes, CommandLineSplitsAtBlanksAndTabsIntoAtMostMaxWords) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine(" \t "), Words{""});
    EXPECT_EQ(SplitCommandLine("\t C2  x\ty "), (Words{"", "C2", "x", "y"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\A B\""), (Words{"", "\"C:\\A", "B\""}));  // quotes mean nothing
    EXPECT_EQ(SplitCommandLine("a b c", 2), (Words{"", "a", "b"}));
    EXPECT_EQ(SplitCommandLine("a b", 0), Words{""});
    EXPECT_EQ(SplitCommandLine("1 2 3 4 5 6 7 8 9 10 11").back(), "10");
}

TEST(Modes, LastTwoCharactersOfTheFirstWordChooseTheMode) {
    struct Case { const char* line; ModeCode mode; };
    using enum ModeCode;
    const Case cases[] = {
        {"/M3", ColourChange}, {"areaM3", ColourChange}, {"  \tC2\t", NewArea}, {"面積C1", PreviousArea},
        {"M5 C1", Overlap},  // words after the first are ignored
        {"m3", TableCreation}, {"M8", TableCreation}, {"M", TableCreation}, {"M3x", TableCreation},
        {"M3\"", TableCreation}, {"x M7", TableCreation},
        {"表示", TableCreation},  // two characters of three bytes each
        {"", LayerNames}, {" \t ", LayerNames},
    };
    for (const Case& c : cases) EXPECT_EQ(SelectMode(c.line).code, c.mode) << c.line;
}

TEST(Modes, DrawingOrderChangesTheCaptionOnlyWhereItShows) {
    const ModeRecord& overlap = RecordOf(ModeCode::Overlap);
    EXPECT_NE(ModeCaption(overlap, 0), ModeCaption(overlap, 1));
    EXPECT_EQ(ModeCaption(overlap, 0xFFFFFFFF), ModeCaption(overlap, 1));
    const ModeRecord& layers = RecordOf(ModeCode::LayerDistribution);
    EXPECT_EQ(ModeCaption(layers, 1), ModeCaption(layers, 0));
    EXPECT_TRUE(ModeCaption(layers, 0).starts_with("Vemora【"));
    EXPECT_TRUE(ModeCaption(RecordOf(ModeCode::LayerNames), 0).starts_with("【"));
}

// The order marks of the first and last rows are tried with the form (FormLoad, RowExchange).
TEST(Modes, SwatchMarks) {
    struct Case { ModeCode mode; int row; bool right; const char* mark; };
    using enum ModeCode;
    const Case cases[] = {{NewArea, 1, false, ""},     {ColourChange, 7, false, "→"}, {ColourChange, 7, true, ""},
                          {LayerNames, 1, false, "0"}, {LayerNames, 11, false, "A"},  {LayerNames, 16, true, ""},
                          {Overlap, 8, false, ""},     {LayerNamesExternal, 16, false, "F"}};
    for (const Case& c : cases)
        EXPECT_EQ(SwatchMark(RecordOf(c.mode), c.row, c.right, 0), c.mark) << static_cast<int>(c.mode) << " " << c.row;
    EXPECT_EQ(SwatchMark(RecordOf(ModeCode::Overlap), 1, true, 0xFFFFFFFF), "上");
}

TEST(Swatch, ModeButtonCyclesWithItsHintAndDragging) {
    const ModeRecord& area = RecordOf(ModeCode::NewArea);
    const char* expected[][2] = {{"追加", "↑ここをクリックしてください"},
                                 {"削除", "↑ここをクリックしてください"},
                                 {"並替", "↑ここをドラッグしてください"}};
    SwatchMode mode = SwatchMode::Reorder;
    for (const auto& [caption, hint] : expected) {
        mode = NextSwatchMode(mode);
        EXPECT_EQ(SwatchModeCaption(mode), caption);
        EXPECT_EQ(SwatchHint(area, mode), hint);
        EXPECT_EQ(LeftSwatchesDraggable(area, mode), mode == SwatchMode::Reorder);
    }
    const ModeRecord& recolour = RecordOf(ModeCode::ColourChange);  // rows stay, no hint
    EXPECT_EQ(SwatchHint(recolour, SwatchMode::Reorder), "");
    EXPECT_FALSE(LeftSwatchesDraggable(recolour, SwatchMode::Reorder));
}

}  // namespace
