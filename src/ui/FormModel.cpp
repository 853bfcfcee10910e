#include "ui/FormModel.h"

#include "base/File.h"
#include "exchange/ExchangeReader.h"
#include "exchange/Quantities.h"
#include "output/OkCommand.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"
#include "ui/ClipboardText.h"

namespace {

constexpr const char* kTableFilter = "表ファイル (*.JHY)|*.JHY";

bool ValidRow(int row) { return row >= 1 && row <= kRowCount; }

// chkC changes the letters only; every other character (kana, digits, "#") stays.
std::string WithAsciiCase(std::string text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

FormModel::FormModel(ModeCode mode, RegistrySource& registry, FormServices services)
    : mode_(mode), registry_(registry), services_(services) {}

void FormModel::Load(const LoadContext& context) {
    context_ = context;
    // Jw_cad's drawing order is read only where it shows: the overlap mode.
    const bool reverse = mode_ == ModeCode::Overlap && ReadReverse(registry_) != 0;
    layout_ = PrepareForm(mode_, reverse);
    swatchMode_ = layout_.swatchMode;

    JwSettings jw = ReadPenColours(registry_);
    background_ = jw.background;
    pens_ = jw.pens;
    for (int i = 1; i <= kRowCount; ++i) {
        TableRow& row = table_.Row(i);
        PaintRowEmpty(row, background_);
        row.leftCaption = layout_.swatchCaptions[static_cast<std::size_t>(i)];
        row.rightCaption = layout_.swatchCaptions[static_cast<std::size_t>(i + kRowCount)];
    }

    lists_ = ReadListFile(file::Join(context.programFolder, "vemora.lst"));
    LoadSettings(ini::Document::Load(file::Join(context.programFolder, "Vemora.INI")), settings_);
    if (mode_ == ModeCode::LayerNames) return;

    ApplyAlignment();
    if (mode_ == ModeCode::PreviousArea)
        LoadItemTable(ini::Document::Load(file::Join(context.programFolder, "koumoku.INI")), table_);
    loadStepLists_ = true;

    ReadOptions options{mode_, &pens_, settings_.Tani, settings_.Keta};
    ReadOutcome outcome = ReadExchangeFile(context.programFolder, options, table_, drawing_, services_.notifier);
    readingStoppedEarly_ = outcome == ReadOutcome::ColourLimit;
    if (drawing_.titleBox) title_ = *drawing_.titleBox;
    if (outcome == ReadOutcome::EndProgram) state_ = RunState::Aborted;
}

std::vector<std::string> FormModel::ListEntries(PanelField field) const {
    return PanelListEntries(field, loadStepLists_, lists_);
}

MenuSnapshot FormModel::Snapshot() const {
    return MenuSnapshot{mode_, panelVisible_, nameAlignment_, handOffRunning_};
}

void FormModel::Execute(Command command) {
    if (!Accepting() || !StateOf(command).enabled) return;
    if (std::optional<int> alignment = AlignmentOf(command)) {
        settings_.intYose = *alignment;
        nameAlignment_ = alignment;
        return;
    }
    switch (command) {
        case Command::OpenTable: OpenTable(); break;
        case Command::SaveTable: SaveTable(); break;
        case Command::Exit: state_ = RunState::Exited; break;
        case Command::TableSettings: OpenPanel(); break;
        case Command::About: services_.about.ShowAbout(); break;
        default: break;  // the top-level menus only open
    }
}

// ---- Table grid and editors

// Opening one editor gives it the focus, which the other one loses.
void FormModel::OpenNameEditor(int row) {
    if (unitEditor_.visible) UnitEditorFocusLost();
    const TableRow& opened = table_.Row(row);
    nameEditor_ = EditorState{true, row, opened.name, opened.name, opened.quantity};
}

void FormModel::SetRowName(int row, const std::string& text) {
    if (Accepting() && ValidRow(row)) table_.Row(row).name = text;
}

void FormModel::ClickName(int row) {
    if (Accepting() && ValidRow(row)) OpenNameEditor(row);
}

void FormModel::NameEditorTextChanged(const std::string& text) {
    if (!Accepting() || !nameEditor_.visible) return;
    nameEditor_.text = text;
    SetRowName(nameEditor_.row, text);
}

void FormModel::NameEditorKeyDown(int keyCode) {
    if (!Accepting() || !nameEditor_.visible) return;
    SetRowName(nameEditor_.row, nameEditor_.text);
    if (keyCode == kEnterKey) OpenNameEditor(nameEditor_.row % kRowCount + 1);
}

void FormModel::NameEditorFocusLost() {
    if (!Accepting() || !nameEditor_.visible) return;
    SetRowName(nameEditor_.row, nameEditor_.text);
    nameEditor_.visible = false;
}

void FormModel::CancelNameEditor() {
    if (!Accepting() || !nameEditor_.visible) return;
    SetRowName(nameEditor_.row, nameEditor_.openedText);
    nameEditor_.visible = false;
}

void FormModel::OpenUnitEditor(int row) {
    if (nameEditor_.visible) NameEditorFocusLost();
    const TableRow& opened = table_.Row(row);
    unitEditor_ = EditorState{true, row, opened.unitEntry, opened.unitEntry, opened.quantity};
}

void FormModel::SetRowUnit(int row, const std::string& entry) {
    if (Accepting() && ValidRow(row) && HasUnitColumn()) SetUnitEntry(table_.Row(row), entry, settings_.Keta);
}

void FormModel::ClickUnit(int row) {
    if (Accepting() && ValidRow(row)) OpenUnitEditor(row);
}

void FormModel::UnitEditorTextChanged(const std::string& text) {
    if (!Accepting() || !unitEditor_.visible) return;
    unitEditor_.text = text;
    SetRowUnit(unitEditor_.row, text);
}

void FormModel::UnitEditorKeyDown(int keyCode) {
    if (!Accepting() || !unitEditor_.visible) return;
    SetRowUnit(unitEditor_.row, unitEditor_.text);
    if (keyCode == kEnterKey) OpenUnitEditor(unitEditor_.row % kRowCount + 1);
}

void FormModel::UnitEditorFocusLost() {
    if (!Accepting() || !unitEditor_.visible) return;
    SetRowUnit(unitEditor_.row, unitEditor_.text);
    unitEditor_.visible = false;
}

void FormModel::CancelUnitEditor() {
    if (!Accepting() || !unitEditor_.visible) return;
    SetRowUnit(unitEditor_.row, unitEditor_.openedText);
    table_.Row(unitEditor_.row).quantity = unitEditor_.openedQuantity;
    unitEditor_.visible = false;
}

// The swatches change names and units behind an open editor (a swatch takes no focus, so the
// editor stays open): the editor takes the row's new value, so that neither its next commit
// nor Esc puts back the old one.
void FormModel::SyncEditors() {
    if (nameEditor_.visible) OpenNameEditor(nameEditor_.row);
    if (unitEditor_.visible) OpenUnitEditor(unitEditor_.row);
}

void FormModel::SetTitle(const std::string& text) {
    if (Accepting()) title_ = text;
}

void FormModel::SetQuantity(int row, const std::string& text) {
    if (Accepting() && ValidRow(row)) table_.Row(row).quantity = text;
}

void FormModel::ApplyAlignment() {
    // 0 left, 1 right, 2 centre; any other value (3, leader dots, included) leaves the
    // names as designed and no menu marked.
    if (settings_.intYose >= 0 && settings_.intYose <= 2) nameAlignment_ = static_cast<int>(settings_.intYose);
    else nameAlignment_.reset();
}

// ---- Swatches

void FormModel::ClickSwatch(int swatch) {
    if (!Accepting() || swatch < 1 || swatch > 2 * kRowCount) return;
    const bool left = IsLeftSwatch(swatch);
    TableRow& row = table_.Row(SwatchRow(swatch));

    const bool layerColour = left && (mode_ == ModeCode::LayerNames ||
                                      (mode_ == ModeCode::LayerNamesExternal && swatchMode_ == SwatchMode::Add));
    if (layerColour) {
        const std::string prefix = settings_.chkC != 0 ? "#C#" : "#c#";
        const std::uint32_t flags = mode_ == ModeCode::LayerNames ? kColourRgbInit | kColourFullOpen : kColourFullOpen;
        std::optional<SolidColour> colour = services_.colours.PickColour({kBlack, flags});
        if (!colour) return;
        PaintRow(row, *colour);
        row.name = prefix + ColourHexText(*colour);
    } else if (swatchMode_ == SwatchMode::Add && left && row.left == background_) {
        std::optional<SolidColour> colour = services_.colours.PickColour({kBlack, kColourFullOpen});
        if (!colour) return;
        for (int i = 1; i <= kRowCount; ++i) {
            const TableRow& other = table_.Row(i);
            if (other.left != *colour && other.right != *colour) continue;
            if (ShowMessage(services_.notifier, "同じ色がすでに使われてます。\r\nそれでも使いますか？", MessageIcon::Exclamation,
                            MessageButtons::YesNo) != Answer::Yes)
                return;
            break;
        }
        PaintRow(row, *colour);
    } else if (mode_ == ModeCode::ColourChange && !left && row.right != background_) {
        std::optional<SolidColour> colour = services_.colours.PickColour({kBlack, kColourFullOpen});
        if (!colour) return;
        row.right = *colour;
        row.rightTip = ColourRgbText(*colour);
    } else if (swatchMode_ == SwatchMode::Delete && left) {
        PaintRowEmpty(row, background_);
        row.name.clear();
        row.quantity.clear();
        row.unit.clear();
        row.unitEntry.clear();
    } else {
        return;
    }
    SyncEditors();
}

void FormModel::ClickSwapButton() {
    if (Accepting() && layout_.swapButtonVisible && layout_.swapButtonEnabled) swatchMode_ = NextSwatchMode(swatchMode_);
}

bool FormModel::DropSwatch(int source, int target) {
    if (!Accepting() || !LeftSwatchesDraggable() || !ValidRow(source) || target < 1 || target > 2 * kRowCount)
        return false;
    const int t = SwatchRow(target);
    if (t != source) ExchangeRows(table_, source, t);
    SyncEditors();
    return true;
}

// ---- Settings panel

void FormModel::OpenPanel() { panelVisible_ = true; }

void FormModel::ClosePanel() {
    if (Accepting()) panelVisible_ = false;
}

void FormModel::ClickRuledLine(int group, bool on) {
    if (Accepting() && panelVisible_ && group >= 0 && group < kRuledLineGroups)
        RuledLineSwitch(settings_, group) = on ? 1 : 0;
}

void FormModel::ClickCopyLayout(int layout) {
    if (Accepting() && panelVisible_ && (layout == 0 || layout == 1)) settings_.tensoType = static_cast<std::int16_t>(layout);
}

void FormModel::SetFieldText(PanelField field, const std::string& text) {
    if (Accepting() && panelVisible_ && FieldEnabled(field)) FieldText(settings_, field) = text;
}

void FormModel::PickKeta(const std::string& entry) {
    if (!Accepting() || !panelVisible_) return;
    settings_.Keta = entry;
    RecomputeQuantities(table_, settings_.Keta);
}

void FormModel::ClickUpperCase(bool on) {
    if (!Accepting() || !layout_.upperCaseBoxVisible) return;
    settings_.chkC = on ? 1 : 0;
    for (int i = 1; i <= kRowCount; ++i) table_.Row(i).name = WithAsciiCase(table_.Row(i).name, on);
    SyncEditors();
}

// ---- File menu

void FormModel::OpenTable() {
    FileRequest request{FileDialogKind::Open, "表ファイルを開く", kTableFilter, kFileCreatePrompt | kFileHideReadOnly,
                        "*.JHY", "JHY"};
    std::optional<std::string> path = services_.files.ChooseFile(request);
    if (!path || path->empty()) return;
    OpenTableFile(*path, settings_, table_);
    // The menus and the names show the alignment just loaded (the panel's check boxes and
    // option buttons follow the settings by themselves).
    ApplyAlignment();
    SyncEditors();
}

void FormModel::SaveTable() {
    FileRequest request{FileDialogKind::Save, "表ファイルを保存", kTableFilter, kFileOverwritePrompt, "", "JHY"};
    std::optional<std::string> path = services_.files.ChooseFile(request);
    if (!path || path->empty()) return;
    file::WriteResult result = SaveTableFile(*path, settings_, table_, background_);
    if (!result)
        ShowMessage(services_.notifier, "表ファイルを保存できませんでした。\r\n" + *path + "\r\n" + result.error,
                    MessageIcon::Exclamation);
}

// ---- Buttons

void FormModel::Ok() {
    if (!Accepting()) return;
    std::string coordinateFolder = context_.coordinateFolder;
    if (coordinateFolder.empty() && !RewritesSolids(mode_)) coordinateFolder = ReadZFile(registry_);
    OkContext context{mode_,  table_, drawing_, settings_, background_, title_, context_.programFolder,
                      coordinateFolder, readingStoppedEarly_};
    OkResult result = RunOk(context, services_.notifier);
    okFailed_ = !result.wrote || !result.settingsSaved;
    if (result.wrote && result.handOff) {
        handOffRunning_ = true;
        services_.handOff.Run();
        handOffRunning_ = false;
    }
    if (result.endsProgram) state_ = RunState::Finished;
}

void FormModel::CopyAndOk() {
    if (!Accepting() || !layout_.copyButtonVisible || !layout_.copyButtonEnabled) return;
    std::string text = ClipboardText(table_, background_, title_, mode_, settings_.tensoType);
    if (!services_.clipboard.SetText(text)) {
        // The copy is what the user asked for first: without it the form stays open.
        ShowMessage(services_.notifier, "表をクリップボードにコピーできませんでした。", MessageIcon::Exclamation);
        return;
    }
    Ok();
}

void FormModel::Close() {
    if (Accepting()) state_ = RunState::Exited;
}
