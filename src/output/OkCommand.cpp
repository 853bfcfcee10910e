#include "output/OkCommand.h"

#include <array>
#include <utility>

#include "base/File.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"
#include "output/TableDrawing.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"

namespace {

// Tells the user which file could not be written and why; returns whether it was written.
bool Written(const file::WriteResult& result, const std::string& path, Notifier& notifier) {
    if (!result)
        ShowMessage(notifier, "ファイルを書き込めませんでした。\r\n" + path + "\r\n" + result.error, MessageIcon::Exclamation);
    return result.ok;
}

// The output goes to a temporary file renamed into place, so Jw_cad never reads half of it.
bool WriteOutput(const std::string& path, const RecordWriter& out, Notifier& notifier) {
    return Written(file::WriteAtomic(path, out.Bytes()), path, notifier);
}

// saveINI into Vemora.INI and, in the area modes, saveKoumoku into koumoku.INI: each file is
// read, changed and written once. A failure is told and returned; the table already written
// stands.
bool SaveAfterTable(const OkContext& c, Notifier& notifier) {
    std::string settingsPath = file::Join(c.programFolder, "Vemora.INI");
    auto storeSettings = [&](ini::Document& doc) { StoreSettings(c.settings, doc); };
    bool saved = Written(ini::Update(settingsPath, storeSettings), settingsPath, notifier);
    if (!MeasuresArea(c.mode))
        return saved;
    std::string itemsPath = file::Join(c.programFolder, "koumoku.INI");
    auto storeItems = [&](ini::Document& doc) { StoreItemTable(c.table, c.background, doc); };
    return Written(ini::Update(itemsPath, storeItems), itemsPath, notifier) && saved;
}

OkResult RewriteSolids(const OkContext& c, Notifier& notifier) {
    // The kept lines end where the reading stopped: a result file would make Jw_cad delete
    // the figures that were never read.
    if (c.readingStoppedEarly) {
        ShowMessage(notifier, "16色を越えたため、図形を書き戻せません。", MessageIcon::Exclamation);
        return {.endsProgram = true};
    }
    RecordWriter out;
    WriteRewrite(c.table, c.drawing, c.background, c.mode, out);
    if (!WriteOutput(file::Join(c.programFolder, "JWC_TEMP.TXT"), out, notifier))
        return {};
    return {.wrote = true, .endsProgram = true};
}

OkResult DrawAreaTable(OkContext& c, Notifier& notifier, const std::string& path) {
    MetricsResult metrics = ReadTableMetrics(c.settings, c.drawing);
    if (!metrics.metrics) {
        ShowMessage(notifier, metrics.error, MessageIcon::Exclamation);
        return {};
    }
    RecordWriter out;
    // Mode 7 renames the rows (name and unit) and the title; the form keeps them only once
    // the file is written, so what they were is put back after a failed write.
    const bool renames = c.mode == ModeCode::LayerNamesExternal;
    std::array<std::pair<std::string, std::string>, kRowCount + 1> oldNames;
    std::string oldTitle;
    if (renames) {
        for (int i = 1; i <= kRowCount; ++i)
            oldNames[static_cast<std::size_t>(i)] = {c.table.Row(i).name, c.table.Row(i).unit};
        oldTitle = c.title;
        WriteExternalLayerNames(c.table, c.title, out);
    }
    DrawTable(c.table, c.title, {&c.drawing, &c.settings, c.background, c.mode}, *metrics.metrics, out);
    if (!WriteOutput(path, out, notifier)) {
        if (renames) {
            for (int i = 1; i <= kRowCount; ++i) {
                auto& [name, unit] = oldNames[static_cast<std::size_t>(i)];
                c.table.Row(i).name = std::move(name);
                c.table.Row(i).unit = std::move(unit);
            }
            c.title = std::move(oldTitle);
        }
        return {};
    }
    bool saved = SaveAfterTable(c, notifier);
    return {.wrote = true, .handOff = true, .endsProgram = true, .settingsSaved = saved};
}

}  // namespace

OkResult RunOk(OkContext& c, Notifier& notifier) {
    if (RewritesSolids(c.mode))
        return RewriteSolids(c, notifier);
    std::string path = file::Join(c.coordinateFolder, "ZTEMP.TXT");
    if (c.mode != ModeCode::LayerNames)
        return DrawAreaTable(c, notifier, path);
    RecordWriter out;
    WriteLayerNames(c.table, c.title, out);
    if (!WriteOutput(path, out, notifier))
        return {};
    return {.wrote = true, .handOff = true, .endsProgram = true};
}
