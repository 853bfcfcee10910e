// The form model: owns the whole run (the table, the drawing read from TEMP.TXT, the
// settings and the lists) and offers one operation per thing the user means: name a row,
// give it a unit, swap two rows, recolour one, set the rounding, OK. The window turns clicks,
// keys and drags into these operations; vemora-cli calls them from its options. It never sees
// a window handle, a swatch index or a key code.
//
// Every operation is ignored once the run has ended and while the hand-off runs (a second OK
// would write and hand over again), and where the mode does not offer it; those that return
// a bool say whether they were taken.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "exchange/Drawing.h"
#include "exchange/SolidCheck.h"
#include "host/JwRegistry.h"
#include "model/Table.h"
#include "output/TablePicture.h"
#include "settings/ListFile.h"
#include "settings/TableSettings.h"
#include "ui/FormServices.h"
#include "ui/Menus.h"
#include "ui/Modes.h"
#include "ui/SettingsPanel.h"

// What the load step needs besides the mode.
struct LoadContext {
    std::string programFolder;     // TEMP.TXT, vemora.lst, Vemora.INI, koumoku.INI, JWC_TEMP.TXT
    std::string coordinateFolder;  // ZTEMP.TXT; empty: Jw_cad's ZFILE value, read at OK
    // The front end shows the solid check: the load keeps what the check needs of each solid,
    // as it does where the settings count areas as seen or OK marks the findings.
    bool showsCheck = false;
    // The pairs of solids whose boxes meet past which the whole check stops short.
    std::size_t checkPairLimit = kWholeCheckPairLimit;
};

enum class RunState {
    Running,
    Finished,  // OK ended the program (OkFailed() tells whether it could write): the form unloads
    Exited,    // 終了(&X) or the window closed: nothing written
    Aborted,   // the program ended itself while reading (a pen colour above 116)
};

class FormModel {
public:
    // `registry` gives the pen colours, the drawing order and, at OK, the ZFILE folder; it and
    // the services must outlive the model.
    FormModel(const ModeRecord& mode, RegistrySource& registry, FormServices services);
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    // The load step, once, before any operation: Jw_cad's pen colours, the list file,
    // Vemora.INI; then, where the mode reads a drawing, the stored name alignment, the previous item
    // table where asked, the exchange file and the rows' units and quantities. Messages go to
    // the notifier; a pen colour above 116 ends the run (RunState::Aborted).
    void Load(const LoadContext& context);

    // ---- What the window shows
    const ModeRecord& Mode() const { return mode_; }
    std::string Caption() const { return ModeCaption(mode_, reverse_); }
    std::string_view SwatchMark(int row, bool rightSwatch) const { return ::SwatchMark(mode_, row, rightSwatch, reverse_); }
    const Table& GetTable() const { return table_; }
    const TableSettings& Settings() const { return settings_; }
    const ListFile& Lists() const { return lists_; }
    SolidColour Background() const { return background_; }
    // Swatch marks are drawn white on a dark Jw_cad background.
    bool SwatchTextWhite() const { return background_ < 0x777777; }
    const std::string& Title() const { return title_; }
    // The alignment of the item names as last applied (0 left, 1 right, 2 centre); nullopt:
    // the form's own.
    std::optional<int> NameAlignment() const { return nameAlignment_; }
    bool FieldEnabled(PanelField field) const { return PanelFieldEnabled(field, settings_); }
    std::vector<std::string> ListEntries(PanelField field) const;
    std::optional<int> CopyLayout() const { return SelectedCopyLayout(settings_); }
    // The check of the measured solids (crossed, empty, overlapping) in Jw_cad's drawing order,
    // whole, made when first asked for and then kept with the rows; no findings where the mode
    // measures no areas or the reading did not finish. Stopped short past the context's pair
    // limit (cutShort).
    const SolidCheck& CheckSolids() const;
    // The check's findings about solids the table counts, in its order: a deleted row's solids
    // stay in the drawing but leave the table, and their findings with them.
    const std::vector<Finding>& TableFindings() const;
    // The line under the table (CheckSummary of TableFindings); empty when there are none.
    const std::string& CheckSummaryText() const;
    CommandState StateOf(Command command, bool panelVisible = false, bool previewShown = false) const;
    // The table OK would draw now, in Jw_cad's colours, or the message OK would give instead
    // (an empty picture where OK draws no table).
    TablePicture Preview() const;
    RunState GetRunState() const { return state_; }
    // The last OK left a file it had to write unwritten (a message said which and why).
    bool OkFailed() const { return okFailed_; }
    bool Busy() const { return handOffRunning_; }

    // ---- Rows and title
    void SetTitle(const std::string& text);
    void SetRowName(int row, const std::string& text);
    // The unit entry as the list file writes it ("坪,0.3025"): sets the row's factor and
    // recomputes a measured quantity with the current rounding. Only where the mode shows units.
    void SetRowUnit(int row, const std::string& entry);
    void SetQuantity(int row, const std::string& text);  // where the mode shows quantities
    // The colour change: a coloured row's solids take the new colour.
    bool RecolourRow(int row, SolidColour colour);
    // The layer-name modes: the layer's paint colour, and its name "#c#RRGGBB".
    bool SetLayerColour(int row, SolidColour colour);
    // An empty row takes the colour. A colour another row has already is asked about
    // ("同じ色がすでに使われてます。…") and taken only on Yes.
    bool AddRow(int row, SolidColour colour);
    // The row is emptied: its colour, name, quantity, unit entry and measured values (its
    // solids stay in the drawing).
    bool DeleteRow(int row);
    // Rows `source` and `target` exchange everything they hold, where the mode lets rows move.
    bool SwapRows(int source, int target);

    // ---- Settings
    // A rounding entry ("3"): recomputes the measured quantities.
    void SetRounding(const std::string& entry);
    // A settings text as typed, without recomputation; not while its field is disabled.
    void SetSetting(PanelField field, const std::string& text);
    void SetRuledLines(int group, bool on);
    void SetCopyLayout(int layout);
    void SetNameAlignment(int alignment);  // 0 left, 1 right, 2 centre
    // The total rows at the end of the table.
    void SetTotalRow(bool on);
    // Rows count their solids as seen (what solids drawn above hide left out, each place once)
    // or as measured; the measured quantities are recomputed. Only where areas are measured.
    void SetSeenAreas(bool on);
    // The layer-name modes: "#C#" rather than "#c#" in the names of paint colours.
    void SetUpperCaseColourNames(bool on);

    // ---- Files and the end
    // Opens a table file (settings and item table) where the mode offers it.
    bool OpenTableFile(const std::string& path);
    // Saves a table file; a failure is told. False when it was not saved.
    bool SaveTableFile(const std::string& path);
    // The table to the clipboard, then OK. A copy that fails is told and stops there.
    void CopyTable();
    void Ok();
    void Exit();  // ends without output

private:
    bool Accepting() const { return state_ == RunState::Running && !handOffRunning_; }
    bool Settable() const { return Accepting() && mode_.fileAndSettingsMenus; }
    // Rows are added and deleted where the swatch-mode button can be used.
    bool RowsAddedAndDeleted() const { return mode_.layout.swapButtonVisible && mode_.layout.swapButtonEnabled; }
    void ApplyAlignment();
    // Each row's seen area from the check where the setting asks for it, else none.
    void ApplySeenAreas();
    // The check for the window's line and list: stopped short past kShownPairLimit pairs of
    // solids that may overlap, so that a drawing with thousands of solids heaped on one place
    // still opens at once. The whole check replaces it where it is asked for.
    const SolidCheck& ShownCheck() const;
    // TableFindings and their summary as of the check and the rows.
    void KeepTableFindings() const;
    // What OK works on: the form's state as it stands.
    OkRequest Request(std::string coordinateFolder) const;

    const ModeRecord& mode_;
    RegistrySource& registry_;
    FormServices services_;
    LoadContext context_;
    std::uint32_t reverse_ = 0;  // Jw_cad's drawing order, where the mode shows it or measures areas

    Table table_;
    Drawing drawing_;
    TableSettings settings_;
    ListFile lists_;
    PenColourTable pens_{};
    SolidColour background_ = kWhite;
    // Empty until the exchange file gives a title, in every mode. The layer-name modes'
    // "カレント" is not kept: as a selector it names no group, so keeping it would only
    // suggest that the current group gets named.
    std::string title_;
    bool readingStoppedEarly_ = false;
    // The check and what the window shows of it. The check takes about as long as the reading
    // again, so it is made only when asked for (vemora-cli mostly never asks), and kept: an
    // exchange of rows renumbers it, a deleted row only changes what the table counts.
    bool checkDue_ = false;  // the mode checks solids and the reading finished
    mutable std::optional<SolidCheck> check_;
    mutable bool checkIsWhole_ = false;  // check_ went as far as the whole check goes
    mutable std::vector<Finding> tableFindings_;
    mutable std::string checkSummary_;
    mutable bool tableFindingsKept_ = false;  // as of check_ and the rows
    std::optional<int> nameAlignment_;
    bool loadStepLists_ = false;  // the panel's lists filled by the load step

    RunState state_ = RunState::Running;
    bool okFailed_ = false;
    bool handOffRunning_ = false;
};
