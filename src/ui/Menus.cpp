#include "ui/Menus.h"

#include "output/TablePicture.h"

namespace {

constexpr MenuDef kMenuBar[] = {
    {Command::FileMenu, "ﾌｧｲﾙ(&F)", true},
    {Command::OpenTable, "表を開く(&R)", false},
    {Command::SaveTable, "表を保存(&S)", false},
    {Command::Exit, "終了(&X)", false},
    {Command::EditMenu, "編集(&E)", true},
    {Command::AlignLeft, "左", false},
    {Command::AlignCentre, "中", false},
    {Command::AlignRight, "右", false},
    {Command::OptionMenu, "設定(&O)", true},
    {Command::TableSettings, "作表設定(&S)", false},
    {Command::Preview, "プレビュー(&P)", false},
    {Command::About, "バージョン情報(&V)", true},
};
static_assert(std::size(kMenuBar) == kCommandCount, "a command added to the menu: update kCommandCount");

// The top-level menu a command sits in; the command itself for a top-level entry.
Command Parent(Command command) {
    Command parent = command;
    for (const MenuDef& def : kMenuBar) {
        if (def.topLevel) parent = def.command;
        if (def.command == command) return parent;
    }
    return command;
}

bool OwnEnabled(Command command, const MenuSnapshot& s) {
    switch (command) {
        case Command::FileMenu:
        case Command::OptionMenu: return s.mode->fileAndSettingsMenus;
        case Command::EditMenu: return s.mode->fileAndSettingsMenus && !s.panelVisible;
        case Command::OpenTable: return s.mode->opensTables;
        case Command::SaveTable: return s.mode->savesTables;
        case Command::Preview: return DrawsTable(s.mode->output);
        default: return true;
    }
}

}  // namespace

std::optional<int> AlignmentOf(Command command) {
    switch (command) {
        case Command::AlignLeft: return 0;
        case Command::AlignRight: return 1;
        case Command::AlignCentre: return 2;
        default: return std::nullopt;
    }
}

std::span<const MenuDef> MenuBar() { return kMenuBar; }

CommandState GetCommandState(Command command, const MenuSnapshot& snapshot) {
    CommandState state;
    state.enabled = !snapshot.busy && OwnEnabled(command, snapshot) && OwnEnabled(Parent(command), snapshot);
    std::optional<int> alignment = AlignmentOf(command);
    state.checked = (alignment && alignment == snapshot.alignmentMark) ||
                    (command == Command::Preview && snapshot.previewShown);
    return state;
}
