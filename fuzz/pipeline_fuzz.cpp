// The whole program on a folder, as vemora-cli runs it: Jw_cad's registry values, the list
// file, Vemora.INI, koumoku.INI, a table file and TEMP.TXT, then the load step and OK.
// Input parts (separated by \x1e): the mode word, TEMP.TXT, Vemora.INI, koumoku.INI,
// vemora.lst, the table file (opened where the mode opens tables), the registry export. An
// empty part is a missing file.
//
// Properties: the exit status says what happened; a file written is complete, and a file
// not written keeps its previous bytes; no temporary file is left; a rewrite keeps every
// figure line; the saved settings read back as the form held them.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "SettingsCheck.h"
#include "base/File.h"
#include "cli/CliRun.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"
#include "ui/Modes.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrevious = "previous\r\n";

struct Folders {
    fs::path program, coordinates, inputs;
};

const Folders& WorkFolders() {
    static const Folders folders = [] {
        fs::path root = fs::temp_directory_path() / ("vemora-pipeline-fuzz-" + std::to_string(getpid()));
        Folders f{root / "program", root / "z", root / "inputs"};
        for (const fs::path& p : {f.program, f.coordinates, f.inputs})
            fs::create_directories(p);
        static const fs::path removeAtExit = root;
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(removeAtExit, ignored);
        });
        return f;
    }();
    return folders;
}

void Clear(const fs::path& folder) {
    std::vector<fs::path> entries(fs::directory_iterator(folder), fs::directory_iterator{});
    for (const fs::path& entry : entries)
        fs::remove_all(entry);
}

void Put(const fs::path& path, std::string_view bytes) {
    if (!bytes.empty())
        FUZZ_CHECK(file::WriteAtomic(path.string(), bytes));
}

std::string Get(const fs::path& path) {
    return file::Read(path.string()).value_or("<missing>");
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TableSettings SettingsFrom(std::string_view iniBytes, TableSettings settings = {}) {
    LoadSettings(ini::Document::Parse(iniBytes), settings);
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parts = fuzz::Parts(std::string_view(reinterpret_cast<const char*>(data), size), 7);
    const std::string_view word = parts[0], exchange = parts[1], settingsIni = parts[2], items = parts[3],
                           lists = parts[4], tableFile = parts[5], registry = parts[6];
    const Folders& f = WorkFolders();
    for (const fs::path& p : {f.program, f.coordinates, f.inputs})
        Clear(p);
    Put(f.program / "TEMP.TXT", exchange);
    Put(f.program / "Vemora.INI", settingsIni);
    Put(f.program / "koumoku.INI", items);
    Put(f.program / "vemora.lst", lists);
    Put(f.inputs / "table.JHY", tableFile);
    Put(f.inputs / "jw.reg", registry);
    Put(f.program / "JWC_TEMP.TXT", kPrevious);
    Put(f.coordinates / "ZTEMP.TXT", kPrevious);

    const ModeRecord& mode = SelectMode(word);
    CliOptions options;
    if (!word.empty())
        options.modeWord = std::string(word);
    options.dir = f.program.string();
    options.zfile = f.coordinates.string();
    options.registry = (f.inputs / "jw.reg").string();
    if (registry.empty())
        Put(f.inputs / "jw.reg", " ");  // an export without any value
    bool openTable = mode.opensTables && !tableFile.empty();
    if (openTable)
        options.table = (f.inputs / "table.JHY").string();

    std::ostringstream out, err;
    int status = RunCli(options, out, err);
    FUZZ_CHECK(status == kExitDone || status == kExitNotWritten || status == kExitProgramEnded);

    // Only the program's own files, never a temporary one.
    const std::set<std::string> known = {"TEMP.TXT", "Vemora.INI", "koumoku.INI", "vemora.lst", "JWC_TEMP.TXT"};
    for (const std::string& name : Names(f.program))
        FUZZ_CHECK(known.count(name) == 1);
    for (const std::string& name : Names(f.coordinates))
        FUZZ_CHECK(name == "ZTEMP.TXT");

    const std::string result = Get(f.program / "JWC_TEMP.TXT");
    const std::string coordinates = Get(f.coordinates / "ZTEMP.TXT");
    const std::string savedSettings = Get(f.program / "Vemora.INI");
    const bool wrote = status == kExitDone;
    if (mode.output == OkOutput::Rewrite) {
        FUZZ_CHECK(coordinates == kPrevious);
        FUZZ_CHECK((result != kPrevious) == wrote);
        if (wrote)
            fuzz::CheckRewriteKeepsLines(exchange, result);
    } else {
        FUZZ_CHECK(result == kPrevious);
        FUZZ_CHECK((coordinates != kPrevious) == wrote);
        if (wrote)
            fuzz::WrittenLines(coordinates);
    }
    // The settings are saved after a table is drawn, and only then.
    const bool drawsTable = mode.output == OkOutput::AreaTable || mode.output == OkOutput::LayerNameTable;
    if (wrote && drawsTable) {
        TableSettings held = SettingsFrom(settingsIni);
        if (openTable)
            held = SettingsFrom(tableFile, held);
        fuzz::CheckSettingsCameBack(held, SettingsFrom(savedSettings));
    } else {
        FUZZ_CHECK(savedSettings == (settingsIni.empty() ? std::string("<missing>") : std::string(settingsIni)));
    }
    if (!(wrote && mode.savesItemTable))
        FUZZ_CHECK(Get(f.program / "koumoku.INI") == (items.empty() ? std::string("<missing>") : std::string(items)));
    return 0;
}
