// The main form's menus: the commands, the one table the menu bar is built from, and the
// pure function that says which commands are enabled and checked.
#pragma once

#include <optional>
#include <span>

#include "ui/Modes.h"

enum class Command {
    FileMenu,       // "ﾌｧｲﾙ(&F)"
    OpenTable,      // "表を開く(&R)"
    SaveTable,      // "表を保存(&S)"
    Exit,           // "終了(&X)": ends without output
    EditMenu,       // "編集(&E)"
    AlignLeft,      // "左"
    AlignCentre,    // "中"
    AlignRight,     // "右"
    OptionMenu,     // "設定(&O)"
    TableSettings,  // "作表設定(&S)": opens the settings panel
    About,          // "バージョン情報(&V)"
    Preview,        // "プレビュー(&P)": shows or hides the preview of the table OK draws
};
constexpr int kCommandCount = static_cast<int>(Command::Preview) + 1;  // the menu table has each once

struct MenuDef {
    Command command;
    const char* caption;  // UTF-8
    bool topLevel;        // a menu-bar entry; the entries after it are its items
};

// The menu bar in order: each top-level entry is followed by its items.
std::span<const MenuDef> MenuBar();

// What the menus depend on.
struct MenuSnapshot {
    const ModeRecord* mode = &RecordOf(ModeCode::TableCreation);
    bool panelVisible = false;            // the settings panel disables 編集 while shown
    std::optional<int> alignmentMark;     // nameAlignment as last applied: 0 left, 1 right, 2 centre
    bool busy = false;                    // the hand-off is running: nothing may start
    bool previewShown = false;            // the preview window is open
};

struct CommandState {
    bool enabled = true;  // an item of a disabled menu counts as disabled
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

CommandState GetCommandState(Command command, const MenuSnapshot& snapshot);

// The name alignment an alignment command sets (左 0, 右 1, 中 2), or nullopt for other commands.
std::optional<int> AlignmentOf(Command command);
