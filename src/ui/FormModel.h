// The main form's model: owns the whole run (the table rows, the drawing read from TEMP.TXT,
// the settings, the panel, the menus, the swatches and the floating editors) and offers one
// method per thing the user does. The window and vemora-cli show it and feed it events; it
// never sees a window handle.
//
// Where it differs from the form it models, on purpose:
// - Events of hidden or disabled controls, of the panel while it is hidden, and every event
//   while the hand-off runs are ignored (a second OK would write and hand over again).
// - An open editor takes over the changes the swatches make to its row (a delete, a layer
//   colour, a row exchange): a swatch takes no focus, so the editor stays open, and its next
//   commit would otherwise put the old name or unit back.
// - Opening a table file shows the alignment it holds in the menu marks and the names; the
//   panel's check boxes and option buttons always show the settings as they are.
// - A copy that cannot reach the clipboard, and a table file that cannot be saved, are told;
//   the copy then does not go on to OK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/ModeCode.h"
#include "exchange/Drawing.h"
#include "exchange/Table.h"
#include "host/JwRegistry.h"
#include "settings/ListFile.h"
#include "settings/TableSettings.h"
#include "ui/Dialogs.h"
#include "ui/FormLayout.h"
#include "ui/Menus.h"
#include "ui/SettingsPanel.h"
#include "ui/Swatches.h"

// What the load step needs besides the mode.
struct LoadContext {
    std::string programFolder;     // TEMP.TXT, vemora.lst, Vemora.INI, koumoku.INI, JWC_TEMP.TXT
    std::string coordinateFolder;  // ZTEMP.TXT; empty: Jw_cad's ZFILE value, read at OK
};

// A floating editor over a row's item name or unit.
struct EditorState {
    bool visible = false;
    int row = 0;  // the row it lies over (1..16; 0 before first use)
    std::string text;
    // The row's name or unit entry and its quantity when the editor opened: Esc puts them back.
    std::string openedText;
    std::string openedQuantity;
};

enum class RunState {
    Running,
    Finished,  // OK ended the program (OkFailed() tells whether it could write): the form unloads
    Exited,    // 終了(&X) or the window closed: nothing written
    Aborted,   // the program ended itself while reading (a pen colour above 116)
};

// The key code with which a floating editor walks to the next row.
constexpr int kEnterKey = 13;

class FormModel {
public:
    // `registry` gives the pen colours, the drawing order and, at OK, the ZFILE folder; it and
    // the services must outlive the model.
    FormModel(ModeCode mode, RegistrySource& registry, FormServices services);
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    // The load step, once, before any event: the form prepared for the mode, Jw_cad's pen
    // colours, the list file, Vemora.INI; then, except in mode 6, the name alignment, in mode 2
    // koumoku.INI, the panel's lists and the exchange file. Messages go to the notifier; a pen
    // colour above 116 ends the run (RunState::Aborted).
    void Load(const LoadContext& context);

    // ---- What the window shows
    ModeCode Mode() const { return mode_; }
    const FormLayout& Layout() const { return layout_; }
    const Table& GetTable() const { return table_; }
    const TableSettings& Settings() const { return settings_; }
    const ListFile& Lists() const { return lists_; }
    SolidColour Background() const { return background_; }
    bool SwatchTextWhite() const { return ::SwatchTextWhite(background_); }
    const std::string& Title() const { return title_; }  // txtHyoumei
    std::string SwapButtonCaption() const { return SwatchModeCaption(swatchMode_); }
    std::string Hint() const { return SwatchHint(mode_, swatchMode_); }  // Label7
    bool LeftSwatchesDraggable() const { return ::LeftSwatchesDraggable(mode_, swatchMode_); }
    const EditorState& NameEditor() const { return nameEditor_; }
    const EditorState& UnitEditor() const { return unitEditor_; }
    // Alignment of the item names as last applied (0 left, 1 right, 2 centre); nullopt: as designed.
    std::optional<int> NameAlignment() const { return nameAlignment_; }
    bool PanelVisible() const { return panelVisible_; }
    bool FieldEnabled(PanelField field) const { return PanelFieldEnabled(field, settings_); }
    std::vector<std::string> ListEntries(PanelField field) const;
    std::optional<int> CopyLayout() const { return SelectedCopyLayout(settings_); }  // Option1
    MenuSnapshot Snapshot() const;
    CommandState StateOf(Command command) const { return GetCommandState(command, Snapshot()); }
    RunState GetRunState() const { return state_; }
    // The last OK left a file it had to write unwritten (a message said which and why).
    bool OkFailed() const { return okFailed_; }
    bool Busy() const { return handOffRunning_; }

    // ---- Menus: runs the command when it is enabled; ignored otherwise.
    void Execute(Command command);

    // ---- Table grid and editors
    void ClickName(int row);                      // txtname(row): opens the item-name editor
    void NameEditorTextChanged(const std::string& text);  // typing or a list pick: commits live
    void NameEditorKeyDown(int keyCode);          // commits; Enter walks to the next row
    void NameEditorFocusLost();                   // commits and hides
    void CancelNameEditor();                      // Esc: the name as it was when opened, closed
    void ClickUnit(int row);                      // Label5(row): opens the unit editor
    void UnitEditorTextChanged(const std::string& text);
    void UnitEditorKeyDown(int keyCode);
    void UnitEditorFocusLost();
    void CancelUnitEditor();                      // Esc: unit and quantity as when opened, closed
    // A row's name or unit entry committed, as its editor commits it. A unit entry also sets
    // the row's factor and recomputes a measured quantity with the current rounding. Ignored
    // for a row outside 1..16 (and the unit where the mode shows no unit column).
    void SetRowName(int row, const std::string& text);
    void SetRowUnit(int row, const std::string& entry);
    bool HasUnitColumn() const { return layout_.quantityHeadingVisible; }
    void SetTitle(const std::string& text);       // typing in txtHyoumei
    void SetQuantity(int row, const std::string& text);  // typing in Text_sum(row)

    // ---- Swatches
    void ClickSwatch(int swatch);                 // Lblpic(1..32)
    void ClickSwapButton();                       // btnChenge
    // A dragged left swatch `source` (1..16) dropped on `target` (1..32). False when the drag
    // could not have started (left swatches not draggable, or indices out of range).
    bool DropSwatch(int source, int target);

    // ---- Settings panel (events count only while it is shown and the control enabled)
    void ClosePanel();                            // cmdOptionOK "ＯＫ"
    void ClickRuledLine(int group, bool on);      // ckKeisen(group)
    void ClickCopyLayout(int layout);             // Option1(layout)
    void SetFieldText(PanelField field, const std::string& text);  // typing, no recomputation
    void PickKeta(const std::string& entry);      // a pick in Comboketa: recomputes the quantities
    void ClickUpperCase(bool on);                 // chkC, on the form in the layer-name modes

    // ---- Buttons
    void Ok();         // Command2
    void CopyAndOk();  // Command3: the table to the clipboard, then OK
    void Close();      // the window closes: ends without output

private:
    bool Accepting() const { return state_ == RunState::Running && !handOffRunning_; }
    void OpenNameEditor(int row);
    void OpenUnitEditor(int row);

    void ApplyAlignment();
    void SyncEditors();
    void OpenTable();
    void SaveTable();
    void OpenPanel();

    ModeCode mode_;
    RegistrySource& registry_;
    FormServices services_;
    FormLayout layout_;
    LoadContext context_;

    Table table_;
    Drawing drawing_;
    TableSettings settings_;
    ListFile lists_;
    PenColourTable pens_{};
    SolidColour background_ = kWhite;
    // txtHyoumei: empty until the exchange file gives a title, in every mode. The layer-name
    // modes' "カレント" is not kept: as a selector it names no group, so keeping it would only
    // suggest that the current group gets named.
    std::string title_;
    bool readingStoppedEarly_ = false;

    SwatchMode swatchMode_ = SwatchMode::Reorder;
    EditorState nameEditor_;
    EditorState unitEditor_;
    std::optional<int> nameAlignment_;
    bool panelVisible_ = false;
    bool loadStepLists_ = false;  // the panel's lists filled by the load step

    RunState state_ = RunState::Running;
    bool okFailed_ = false;
    bool handOffRunning_ = false;
};
