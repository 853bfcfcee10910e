#include "ui/FormModel.h"

#include <algorithm>

#include "base/File.h"
#include "exchange/ExchangeReader.h"
#include "model/Quantities.h"
#include "output/ClipboardText.h"
#include "output/OkCommand.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"
#include "ui/CheckSummary.h"

namespace {

bool ValidRow(int row) { return row >= 1 && row <= kRowCount; }

// Only the letters change case; every other character (kana, digits, "#") stays.
std::string WithAsciiCase(std::string text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The check after rows s and t were exchanged whole. Which solids there are, their order and
// how they overlap belong to the drawing: only the row numbers and the rows' seen areas change
// places, and running the check again would give the same, slowly.
void ExchangeCheckRows(SolidCheck& check, int s, int t) {
    auto moved = [s, t](int row) { return row == s ? t : row == t ? s : row; };
    for (Finding& f : check.findings) {
        f.row = moved(f.row);
        f.otherRow = moved(f.otherRow);
    }
    std::swap(check.seenAreas[static_cast<std::size_t>(s)], check.seenAreas[static_cast<std::size_t>(t)]);
}

}  // namespace

FormModel::FormModel(const ModeRecord& mode, RegistrySource& registry, FormServices services)
    : mode_(mode), registry_(registry), services_(services) {}

void FormModel::Load(const LoadContext& context) {
    context_ = context;
    // Jw_cad's drawing order is read only where it shows, or where it decides which solids
    // are seen.
    if (ShowsDrawOrder(mode_) || ChecksSolids(mode_)) reverse_ = ReadReverse(registry_);

    JwSettings jw = ReadPenColours(registry_);
    background_ = jw.background;
    pens_ = jw.pens;
    for (int i = 1; i <= kRowCount; ++i) PaintRow(table_.Row(i), background_);

    lists_ = ReadListFile(file::Join(context.programFolder, "vemora.lst"));
    LoadSettings(ini::Document::Load(file::Join(context.programFolder, "Vemora.INI")), settings_);
    if (!mode_.readsExchangeFile) return;

    ApplyAlignment();
    if (mode_.loadsPreviousTable)
        LoadItemTable(ini::Document::Load(file::Join(context.programFolder, "koumoku.INI")), table_);
    loadStepLists_ = true;

    ReadOptions options = mode_.reading;
    options.pens = &pens_;
    options.keepsShapes = ChecksSolids(mode_) && (context.showsCheck || settings_.seenAreas == 1 ||
                                                  mode_.output == OkOutput::SolidCheck);
    ReadOutcome outcome = ReadExchangeFile(context.programFolder, options, table_, drawing_, services_.notifier);
    readingStoppedEarly_ = outcome == ReadOutcome::ColourLimit;
    checkDue_ = ChecksSolids(mode_) && outcome == ReadOutcome::Finished;
    if (outcome == ReadOutcome::Finished && !options.readsLayerNames) {
        ApplyDefaultUnit(table_, settings_.defaultUnit);
        ApplySeenAreas();
        ShowQuantities(table_, settings_.rounding);
    }
    if (drawing_.titleBox) title_ = *drawing_.titleBox;
    if (outcome == ReadOutcome::EndProgram) state_ = RunState::Aborted;
}

std::vector<std::string> FormModel::ListEntries(PanelField field) const {
    return PanelListEntries(field, loadStepLists_, lists_);
}

const SolidCheck& FormModel::CheckSolids() const {
    if (!check_ || !checkIsWhole_) {
        check_ = checkDue_ ? ::CheckSolids(table_, drawing_, reverse_ != 0, context_.checkPairLimit) : SolidCheck{};
        checkIsWhole_ = true;
        tableFindingsKept_ = false;
    }
    return *check_;
}

const SolidCheck& FormModel::ShownCheck() const {
    // Each pair costs a few microseconds of exact overlay: half a second at most.
    constexpr std::size_t kShownPairLimit = 100'000;
    if (!check_) {
        const std::size_t limit = std::min(kShownPairLimit, context_.checkPairLimit);
        check_ = checkDue_ ? ::CheckSolids(table_, drawing_, reverse_ != 0, limit) : SolidCheck{};
        // A check that went to its end is the whole check.
        checkIsWhole_ = !check_->cutShort || limit == context_.checkPairLimit;
    }
    return *check_;
}

const std::vector<Finding>& FormModel::TableFindings() const {
    KeepTableFindings();
    return tableFindings_;
}

const std::string& FormModel::CheckSummaryText() const {
    KeepTableFindings();
    return checkSummary_;
}

CommandState FormModel::StateOf(Command command, bool panelVisible, bool previewShown) const {
    return GetCommandState(command, MenuSnapshot{&mode_, panelVisible, nameAlignment_, handOffRunning_, previewShown});
}

TablePicture FormModel::Preview() const {
    return PictureOfTable(Request({}), &pens_);
}

// ---- Rows and title

void FormModel::SetTitle(const std::string& text) {
    if (Accepting()) title_ = text;
}

void FormModel::SetRowName(int row, const std::string& text) {
    if (Accepting() && ValidRow(row)) table_.Row(row).name = text;
}

void FormModel::SetRowUnit(int row, const std::string& entry) {
    if (Accepting() && ValidRow(row) && mode_.layout.quantityColumns)
        SetUnitEntry(table_.Row(row), entry, settings_.rounding);
}

void FormModel::SetQuantity(int row, const std::string& text) {
    if (Accepting() && ValidRow(row) && mode_.layout.quantityColumns) table_.Row(row).quantity = text;
}

bool FormModel::RecolourRow(int row, SolidColour colour) {
    if (!Accepting() || !mode_.recolours || !ValidRow(row) || table_.Row(row).newColour == background_) return false;
    table_.Row(row).newColour = colour;
    return true;
}

bool FormModel::SetLayerColour(int row, SolidColour colour) {
    if (!Accepting() || mode_.layerColours == LayerColours::Never || !ValidRow(row)) return false;
    TableRow& target = table_.Row(row);
    PaintRow(target, colour);
    target.name = (settings_.upperCaseColourNames != 0 ? "#C#" : "#c#") + ColourHexText(colour);
    return true;
}

bool FormModel::AddRow(int row, SolidColour colour) {
    if (!Accepting() || !RowsAddedAndDeleted() || !ValidRow(row) || table_.Row(row).colour != background_) return false;
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& other = table_.Row(i);
        if (other.colour != colour && other.newColour != colour) continue;
        if (ShowMessage(services_.notifier, "同じ色がすでに使われてます。\r\nそれでも使いますか？", MessageIcon::Exclamation,
                        MessageButtons::YesNo) != Answer::Yes)
            return false;
        break;
    }
    PaintRow(table_.Row(row), colour);
    return true;
}

bool FormModel::DeleteRow(int row) {
    if (!Accepting() || !RowsAddedAndDeleted() || !ValidRow(row)) return false;
    // The row's solids stay in the drawing (and in a rewrite); its content and its measured
    // values leave the table, so a row added there later starts without area.
    TableRow& target = table_.Row(row);
    PaintRow(target, background_);
    target.name.clear();
    target.quantity.clear();
    target.unitEntry.clear();
    target.factor = 1.0;
    target.area.reset();
    target.seenArea.reset();
    target.solidCount = 0;
    tableFindingsKept_ = false;
    return true;
}

bool FormModel::SwapRows(int source, int target) {
    if (!Accepting() || !mode_.rowsDraggable || !ValidRow(source) || !ValidRow(target)) return false;
    if (source == target) return true;
    ExchangeRows(table_, source, target);
    if (check_) ExchangeCheckRows(*check_, source, target);
    tableFindingsKept_ = false;
    return true;
}

// ---- Settings

void FormModel::SetRounding(const std::string& entry) {
    if (!Settable()) return;
    settings_.rounding = entry;
    RecomputeQuantities(table_, settings_.rounding);
}

void FormModel::SetSetting(PanelField field, const std::string& text) {
    if (Settable() && FieldEnabled(field)) FieldText(settings_, field) = text;
}

void FormModel::SetRuledLines(int group, bool on) {
    if (Settable() && group >= 0 && group < kRuledLineGroups) RuledLineSwitch(settings_, group) = on ? 1 : 0;
}

void FormModel::SetCopyLayout(int layout) {
    if (Settable() && (layout == 0 || layout == 1)) settings_.copyLayout = static_cast<std::int16_t>(layout);
}

void FormModel::SetTotalRow(bool on) {
    if (Settable()) settings_.totalRow = on ? 1 : 0;
}

void FormModel::SetSeenAreas(bool on) {
    if (!Settable()) return;
    settings_.seenAreas = on ? 1 : 0;
    ApplySeenAreas();
    RecomputeQuantities(table_, settings_.rounding);
}

void FormModel::ApplySeenAreas() {
    std::array<std::optional<double>, kRowCount + 1> seen{};
    if (settings_.seenAreas == 1) {
        const SolidCheck& check = CheckSolids();
        seen = check.seenAreas;
        if (check.cutShort)
            ShowMessage(services_.notifier,
                        "重なり合うソリッド図形が多すぎるため、重なりを除いた面積を求められません。\r\n"
                        "各行の面積は重なりを含んだままです。",
                        MessageIcon::Exclamation);
    }
    for (int i = 1; i <= kRowCount; ++i) table_.Row(i).seenArea = seen[static_cast<std::size_t>(i)];
}

void FormModel::KeepTableFindings() const {
    if (tableFindingsKept_) return;
    auto counted = [this](int row) { return row == 0 || (ValidRow(row) && table_.Row(row).area); };
    tableFindings_.clear();
    const SolidCheck& check = ShownCheck();
    for (const Finding& f : check.findings)
        if (counted(f.row) && counted(f.otherRow)) tableFindings_.push_back(f);
    checkSummary_ = CheckSummary(tableFindings_, check.cutShort);
    tableFindingsKept_ = true;
}

void FormModel::SetNameAlignment(int alignment) {
    if (!Settable() || alignment < 0 || alignment > 2) return;
    settings_.nameAlignment = alignment;
    nameAlignment_ = alignment;
}

void FormModel::ApplyAlignment() {
    // 0 left, 1 right, 2 centre; any other value (3, leader dots, included) leaves the
    // names in the form's own alignment and no menu marked.
    if (settings_.nameAlignment >= 0 && settings_.nameAlignment <= 2)
        nameAlignment_ = static_cast<int>(settings_.nameAlignment);
    else
        nameAlignment_.reset();
}

void FormModel::SetUpperCaseColourNames(bool on) {
    if (!Accepting() || !mode_.layout.upperCaseBoxVisible) return;
    settings_.upperCaseColourNames = on ? 1 : 0;
    for (int i = 1; i <= kRowCount; ++i) table_.Row(i).name = WithAsciiCase(table_.Row(i).name, on);
}

// ---- Files and the end

bool FormModel::OpenTableFile(const std::string& path) {
    if (!Accepting() || !mode_.opensTables || path.empty()) return false;
    ::OpenTableFile(path, settings_, table_);
    check_.reset();  // of rows no longer there
    tableFindingsKept_ = false;
    // The menus and the names show the alignment just loaded.
    ApplyAlignment();
    return true;
}

bool FormModel::SaveTableFile(const std::string& path) {
    if (!Accepting() || !mode_.savesTables || path.empty()) return false;
    file::WriteResult result = ::SaveTableFile(path, settings_, table_, background_);
    if (!result)
        ShowMessage(services_.notifier, "表ファイルを保存できませんでした。\r\n" + path + "\r\n" + result.error,
                    MessageIcon::Exclamation);
    return result.ok;
}

void FormModel::Ok() {
    if (!Accepting()) return;
    std::string coordinateFolder = context_.coordinateFolder;
    if (coordinateFolder.empty() && !WritesResultFile(mode_.output)) coordinateFolder = ReadZFile(registry_);
    OkResult result = RunOk(Request(coordinateFolder), services_.notifier);
    okFailed_ = (!result.wrote && !result.nothingDue) || !result.settingsSaved;
    if (result.table) table_ = std::move(*result.table);
    if (result.title) title_ = std::move(*result.title);
    if (result.wrote && result.handOff) {
        handOffRunning_ = true;
        services_.handOff.Run();
        handOffRunning_ = false;
    }
    if (result.endsProgram) state_ = RunState::Finished;
}

OkRequest FormModel::Request(std::string coordinateFolder) const {
    return {mode_.output, mode_.rewrite,          mode_.savesItemTable,       table_,
            drawing_,     settings_,              background_,                title_,
            context_.programFolder, std::move(coordinateFolder), readingStoppedEarly_, reverse_ != 0,
            check_ && checkIsWhole_ ? &*check_ : nullptr};
}

void FormModel::CopyTable() {
    if (!Accepting() || !mode_.layout.copyButtonVisible || !mode_.layout.copyButtonEnabled) return;
    std::string text = ClipboardText(table_, background_, title_, mode_.copyWithHeadings, settings_.copyLayout,
                                     TotalRows(table_, settings_, background_));
    if (!services_.clipboard.SetText(text)) {
        // The copy is what the user asked for first: without it the form stays open.
        ShowMessage(services_.notifier, "表をクリップボードにコピーできませんでした。", MessageIcon::Exclamation);
        return;
    }
    Ok();
}

void FormModel::Exit() {
    if (Accepting()) state_ = RunState::Exited;
}
