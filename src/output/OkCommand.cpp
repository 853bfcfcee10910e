#include "output/OkCommand.h"

#include <functional>
#include <utility>
#include <vector>

#include "base/File.h"
#include "exchange/SolidCheck.h"
#include "output/ModeOutputs.h"
#include "output/RecordWriter.h"
#include "output/TableDrawing.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"

namespace {

// A run that ends the program: with or without the output written, handed off or not.
OkResult Ending(bool wrote, bool handOff, bool settingsSaved = true) {
    OkResult result;
    result.wrote = wrote;
    result.handOff = handOff;
    result.endsProgram = true;
    result.settingsSaved = settingsSaved;
    return result;
}

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

// The settings into Vemora.INI and, where asked, the item table into koumoku.INI: each file
// is read, changed and written once. A failure is told and returned; the table already
// written stands.
bool SaveAfterTable(const OkRequest& c, const Table& table, Notifier& notifier) {
    std::string settingsPath = file::Join(c.programFolder, "Vemora.INI");
    auto storeSettings = [&](ini::Document& doc) { StoreSettings(c.settings, doc); };
    bool saved = Written(ini::Update(settingsPath, storeSettings), settingsPath, notifier);
    if (!c.savesItemTable)
        return saved;
    std::string itemsPath = file::Join(c.programFolder, "koumoku.INI");
    auto storeItems = [&](ini::Document& doc) { StoreItemTable(table, c.background, doc); };
    return Written(ini::Update(itemsPath, storeItems), itemsPath, notifier) && saved;
}

// JWC_TEMP.TXT from the lines `write` gives. Written as it is made, through the temporary
// file: the result is as large as the drawing.
OkResult WriteResultFile(const OkRequest& c, Notifier& notifier, const std::function<void(const LineOutput&)>& write) {
    // The kept lines end where the reading stopped: a result file would make Jw_cad delete
    // the figures that were never read.
    if (c.readingStoppedEarly) {
        ShowMessage(notifier, "16色を越えたため、図形を書き戻せません。", MessageIcon::Exclamation);
        return Ending(false, false);
    }
    const std::string path = file::Join(c.programFolder, "JWC_TEMP.TXT");
    file::AtomicWriter file(path);
    write([&file](std::string_view line) {
        file.Write(line);
        file.Write("\r\n");
    });
    if (!Written(file.Commit(), path, notifier))
        return {};
    return Ending(true, false);
}

OkResult RewriteSolids(const OkRequest& c, Notifier& notifier) {
    return WriteResultFile(c, notifier, [&c](const LineOutput& out) {
        WriteRewrite(c.table, c.drawing, c.background, c.rewrite, out);
    });
}

// Without findings Jw_cad gets nothing back: its file still starts with "hq", so the drawing
// stays as it was. A check stopped short marks what it found, and says so.
OkResult MarkFindings(const OkRequest& c, Notifier& notifier) {
    std::vector<Finding> findings;
    if (!c.readingStoppedEarly) {
        SolidCheck check = c.check ? *c.check : CheckSolids(c.table, c.drawing, c.reverseOrder);
        if (check.cutShort)
            ShowMessage(notifier,
                        "重なり合うソリッド図形が多すぎるため、チェックを途中で打ち切りました。\r\n"
                        "それまでに見つかったものに印を付けます。",
                        MessageIcon::Exclamation);
        findings = std::move(check.findings);
        if (findings.empty()) {
            if (!check.cutShort)
                ShowMessage(notifier, "重なり・ねじれ・面積0のソリッドはありません。", MessageIcon::Information);
            OkResult result = Ending(false, false);
            result.nothingDue = true;
            return result;
        }
    }
    return WriteResultFile(c, notifier, [&](const LineOutput& out) {
        WriteCheckResult(c.drawing, findings, c.settings, out);
    });
}

OkResult DrawAreaTable(const OkRequest& c, Notifier& notifier, const std::string& path) {
    MetricsResult metrics = ReadTableMetrics(c.settings, c.drawing);
    if (!metrics.metrics) {
        ShowMessage(notifier, metrics.error, MessageIcon::Exclamation);
        return {};
    }
    RecordWriter out;
    const bool layerNames = c.output == OkOutput::LayerNameTable;
    // The layer names rename a copy of the rows and the title; the form takes them over only
    // once the file is written.
    Table table = layerNames ? c.table : Table{};
    std::string title = c.title;
    if (layerNames)
        WriteExternalLayerNames(table, title, out);
    DrawTable(layerNames ? table : c.table, title, {&c.drawing, &c.settings, c.background, layerNames},
              *metrics.metrics, out);
    if (!WriteOutput(path, out, notifier))
        return {};
    OkResult result = Ending(true, true, SaveAfterTable(c, layerNames ? table : c.table, notifier));
    if (layerNames) {
        result.table = std::move(table);
        result.title = std::move(title);
    }
    return result;
}

}  // namespace

OkResult RunOk(const OkRequest& c, Notifier& notifier) {
    if (c.output == OkOutput::Rewrite)
        return RewriteSolids(c, notifier);
    if (c.output == OkOutput::SolidCheck)
        return MarkFindings(c, notifier);
    std::string path = file::Join(c.coordinateFolder, "ZTEMP.TXT");
    if (c.output != OkOutput::LayerNames)
        return DrawAreaTable(c, notifier, path);
    RecordWriter out;
    WriteLayerNames(c.table, c.title, out);
    if (!WriteOutput(path, out, notifier))
        return {};
    return Ending(true, true);
}
