// Which commands the menus offer and mark, from the mode's record and the form's state.
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(Menus, EnabledCommandsFollowTheRecordThePanelAndTheHandOff) {
    using enum Command;
    struct Case {
        const char* what;
        ModeRecord mode;
        bool panelVisible, busy;
        bool others;                  // whether the commands not listed are enabled
        std::vector<Command> listed;  // the commands that are not
    };
    const Case cases[] = {
        {"opens and saves", {.opensTables = true, .savesTables = true}, false, false, true, {}},
        {"saves, panel shown", {.savesTables = true}, true, false, true,
         {OpenTable, EditMenu, AlignLeft, AlignCentre, AlignRight}},
        {"no file and settings menus", {.fileAndSettingsMenus = false, .opensTables = true}, false, false, false,
         {About}},
        {"hand-off running", {.opensTables = true}, false, true, false, {}},
    };
    for (const Case& c : cases) {
        for (const MenuDef& def : MenuBar()) {
            const bool listed = std::find(c.listed.begin(), c.listed.end(), def.command) != c.listed.end();
            EXPECT_EQ(GetCommandState(def.command, {&c.mode, c.panelVisible, std::nullopt, c.busy}).enabled,
                      c.others != listed)
                << c.what << ": " << def.caption;
        }
    }
}

TEST(Menus, AlignmentMarksFollowTheAppliedValueNotTheMenuOrder) {
    struct Case { std::optional<int> mark; bool left, centre, right; };
    for (const Case& c : {Case{0, true, false, false}, Case{1, false, false, true}, Case{2, false, true, false},
                          Case{std::nullopt, false, false, false}}) {
        MenuSnapshot snapshot;
        snapshot.alignmentMark = c.mark;
        EXPECT_EQ(GetCommandState(Command::AlignLeft, snapshot).checked, c.left);
        EXPECT_EQ(GetCommandState(Command::AlignCentre, snapshot).checked, c.centre);
        EXPECT_EQ(GetCommandState(Command::AlignRight, snapshot).checked, c.right);
    }
}

}  // namespace
