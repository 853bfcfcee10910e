// The menu bar's table and the pure function over the menu snapshot.
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <string>

namespace {

MenuSnapshot Snap(ModeCode mode, bool panelVisible = false, std::optional<int> mark = std::nullopt, bool busy = false) {
    MenuSnapshot s;
    s.mode = mode;
    s.panelVisible = panelVisible;
    s.alignmentMark = mark;
    s.busy = busy;
    return s;
}

TEST(Menus, BarIsBuiltFromOneTableInMenuOrder) {
    std::string bar;
    for (const MenuDef& def : MenuBar()) bar += std::string(def.topLevel ? "|" : " ") + def.caption;
    EXPECT_EQ(bar, "|ﾌｧｲﾙ(&F) 表を開く(&R) 表を保存(&S) 終了(&X)|編集(&E) 左 中 右|設定(&O) 作表設定(&S)|バージョン情報(&V)");
}

TEST(Menus, ItemsOfADisabledMenuAreDisabled) {
    for (ModeCode mode : {ModeCode::LayerNames, ModeCode::LayerNamesExternal}) {
        MenuSnapshot s = Snap(mode);
        for (Command c : {Command::OpenTable, Command::SaveTable, Command::Exit, Command::AlignLeft,
                          Command::TableSettings})
            EXPECT_FALSE(GetCommandState(c, s).enabled) << static_cast<int>(c);
        EXPECT_TRUE(GetCommandState(Command::About, s).enabled);
    }
}

TEST(Menus, OpenPanelDisablesOnlyTheEditMenu) {
    MenuSnapshot s = Snap(ModeCode::NewArea, true);
    EXPECT_FALSE(GetCommandState(Command::EditMenu, s).enabled);
    EXPECT_FALSE(GetCommandState(Command::AlignCentre, s).enabled);
    EXPECT_TRUE(GetCommandState(Command::SaveTable, s).enabled);
    EXPECT_TRUE(GetCommandState(Command::TableSettings, s).enabled);
}

TEST(Menus, AlignmentMarksFollowTheAppliedValueNotTheMenuOrder) {
    struct Case {
        std::optional<int> mark;
        bool left, centre, right;
    };
    for (const Case& c : {Case{0, true, false, false}, Case{1, false, false, true}, Case{2, false, true, false},
                          Case{std::nullopt, false, false, false}}) {
        MenuSnapshot s = Snap(ModeCode::NewArea, false, c.mark);
        EXPECT_EQ(GetCommandState(Command::AlignLeft, s).checked, c.left);
        EXPECT_EQ(GetCommandState(Command::AlignCentre, s).checked, c.centre);
        EXPECT_EQ(GetCommandState(Command::AlignRight, s).checked, c.right);
    }
    EXPECT_EQ(AlignmentOf(Command::AlignCentre), 2);
    EXPECT_EQ(AlignmentOf(Command::AlignRight), 1);
}

TEST(Menus, NothingStartsWhileTheHandOffRuns) {
    MenuSnapshot s = Snap(ModeCode::TableCreation, false, 0, true);
    for (const MenuDef& def : MenuBar()) EXPECT_FALSE(GetCommandState(def.command, s).enabled) << def.caption;
}

}  // namespace
