#include "output/OkCommand.h"

#include <utility>

#include "base/File.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"
#include "output/TableDrawing.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"

namespace {

void Warn(Notifier& notifier, std::string text) {
    Message message;
    message.text = std::move(text);
    message.icon = MessageIcon::Exclamation;
    notifier.Show(message);
}

// Tells the user which file could not be written and why; returns whether it was written.
bool Written(const file::WriteResult& result, const std::string& path, Notifier& notifier) {
    if (!result)
        Warn(notifier, "ファイルを書き込めませんでした。\r\n" + path + "\r\n" + result.error);
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
    ini::Document settings = ini::Document::Load(settingsPath);
    StoreSettings(c.settings, settings);
    bool saved = Written(settings.Save(settingsPath), settingsPath, notifier);
    if (!MeasuresArea(c.mode))
        return saved;
    std::string itemsPath = file::Join(c.programFolder, "koumoku.INI");
    ini::Document items = ini::Document::Load(itemsPath);
    StoreItemTable(c.table, c.background, items);
    return Written(items.Save(itemsPath), itemsPath, notifier) && saved;
}

OkResult RewriteSolids(const OkContext& c, Notifier& notifier) {
    // The kept lines end where the reading stopped: a result file would make Jw_cad delete
    // the figures that were never read.
    if (c.readingStoppedEarly) {
        Warn(notifier, "16色を越えたため、図形を書き戻せません。");
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
        Warn(notifier, metrics.error);
        return {};
    }
    RecordWriter out;
    // Mode 7 renames the rows and the title; the form takes them only once the file is written.
    Table layerTable;
    std::string layerTitle;
    const Table* table = &c.table;
    const std::string* title = &c.title;
    if (c.mode == ModeCode::LayerNamesExternal) {
        layerTable = c.table;
        layerTitle = c.title;
        WriteExternalLayerNames(layerTable, layerTitle, out);
        table = &layerTable;
        title = &layerTitle;
    }
    DrawTable(*table, *title, {&c.drawing, &c.settings, c.background, c.mode}, *metrics.metrics, out);
    if (!WriteOutput(path, out, notifier))
        return {};
    if (c.mode == ModeCode::LayerNamesExternal) {
        c.table = std::move(layerTable);
        c.title = std::move(layerTitle);
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
