// The main form's menus: the commands, the one table the menu bar is built from, and the
// pure function that says which commands are enabled and checked.
#pragma once

#include <optional>
#include <span>

#include "base/ModeCode.h"

enum class Command {
    FileMenu,       // files "ﾌｧｲﾙ(&F)"
    OpenTable,      // mnuOpenhyou "表を開く(&R)"
    SaveTable,      // mnuSaveHyou "表を保存(&S)"
    Exit,           // solidend "終了(&X)": ends without output
    EditMenu,       // henshu "編集(&E)"
    AlignLeft,      // mnuMleft "左"
    AlignCentre,    // mnuMcenter "中"
    AlignRight,     // mnuMright "右"
    OptionMenu,     // option "設定(&O)"
    TableSettings,  // optSakuhyou "作表設定(&S)": opens the settings panel
    About,          // nmuV "バージョン情報(&V)"
};
constexpr int kCommandCount = static_cast<int>(Command::About) + 1;  // the menu table has each once

struct MenuDef {
    Command command;
    const char* caption;  // UTF-8
    bool topLevel;        // a menu-bar entry; the entries after it are its items
};

// The menu bar in order: each top-level entry is followed by its items.
std::span<const MenuDef> MenuBar();

// What the menus depend on.
struct MenuSnapshot {
    ModeCode mode = ModeCode::TableCreation;
    bool panelVisible = false;            // the settings panel disables 編集 while shown
    std::optional<int> alignmentMark;     // intYose as last applied: 0 left, 1 right, 2 centre
    bool busy = false;                    // the hand-off is running: nothing may start
};

struct CommandState {
    bool enabled = true;  // an item of a disabled menu counts as disabled
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

CommandState GetCommandState(Command command, const MenuSnapshot& snapshot);

// The intYose value an alignment command sets (左 0, 右 1, 中 2), or nullopt for other commands.
std::optional<int> AlignmentOf(Command command);
