// vemora-cli run as a process on copies of the folders under tests/data/cli: its exit status,
// what it prints and the files it leaves, against tests/data/cli/expected/<case>/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "base/File.h"
#ifdef _WIN32
#include "base/Utf16.h"
#endif

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(VEMORA_TEST_DATA) / "cli";

struct CliCase {
    const char* name;               // its folder under tests/data/cli/expected
    const char* data;               // the folder under tests/data/cli it runs in; "" an empty one
    std::vector<std::string> args;  // "DATA/" stands for tests/data/, "WORK/" for the folder it runs in
    int status;
    std::string_view registry = "jw.reg";  // with jw.reg ZTEMP.TXT goes to the folder too
};

// The expected folder holds what the run prints, as stdout.txt and stderr.txt, and every file it
// writes; the data folder's other files must be left as they were.
const CliCase kCases[] = {
    {"new-area", "plan", {"--title", "Plan", "--print", "tsv", "C2"}, 0},
    {"previous", "previous", {"--keta", "1", "--print", "tsv", "C1"}, 0},
    {"colour-change", "plan", {"--recolour", "16711680=#00FF00", "M3"}, 0},
    {"layer-distribution", "plan", {"M4"}, 0},
    {"overlap", "plan", {"--swap", "1:2", "--print", "tsv", "M5"}, 0},
    {"layer-groups", "", {"--title", "0-1,f"}, 0},  // no word: names for the selected groups
    {"layer-names-from-file", "layers", {"--print", "tsv", "M7"}, 0},
    // A name and a unit as their editors commit them, then carried along by a swap.
    {"names-and-units", "../samples/office",
     {"--name", "2=大会議室", "--unit", "1=坪,0.3025", "--swap", "1:3", "--print", "tsv", "C2"}, 0},
    // Solids of colours 1..15, the white background, 17, 18 and 1 again: 17 and 18 are left out and told.
    {"beyond-sixteen-colours", "eighteen", {"--print", "tsv", "C2"}, 0},
    {"dry-run-table", "plan",
     {"--table", "DATA/settings/items/stored.koumoku.ini", "--print", "tsv", "--dry-run", "M6"}, 0},
    {"print-format", "plan", {"--print", "xml"}, 1},
    {"recolour-outside-m3", "plan", {"--recolour", "255=0", "C2"}, 1},
    {"recolour-unknown-colour", "plan", {"--recolour", "255=0", "M3"}, 1},
    {"swap-in-m3", "plan", {"--swap", "1:2", "M3"}, 1},
    {"unit-in-m7", "plan", {"--unit", "1=坪", "M7"}, 1},
    {"keta-outside-settings", "plan", {"--keta", "1", "M7"}, 1},
    {"table-outside-m6", "plan", {"--table", "DATA/settings/items/stored.koumoku.ini", "C2"}, 1},
    {"unwritable", "plan", {"C2"}, 2, "jw-missing-zfile.reg"},  // ZFILE names a missing folder
    {"sxf-colours", "sxf", {"C2"}, 3},                            // a pen colour above 116 ends the run
    // The table as a picture, with the total row switched on in the settings, and none where no table is drawn.
    {"svg", "../samples/office", {"--svg", "WORK/t.svg", "C1"}, 0},
    {"svg-total-row", "total-row", {"--svg", "WORK/t.svg", "--print", "json", "C1"}, 0},
    {"svg-outside-tables", "plan", {"--svg", "WORK/t.svg", "M3"}, 1},
    // A floor under two rooms, a bow-tie and three corners on a line; Vemora.INI counts areas as seen.
    {"check", "floor", {"--check", "C2"}, 0},
    {"check-json", "floor", {"--check", "--print", "json", "C2"}, 0},
    // The rows' numbers in the check follow a swap of rows.
    {"check-after-swap", "floor", {"--swap", "1:3", "--check", "C2"}, 0},
    {"check-outside-areas", "floor", {"--check", "M3"}, 1},
    {"seen-areas", "floor", {"--print", "tsv", "C2"}, 0},
    {"seen-areas-reversed", "floor", {"--print", "json", "--dry-run", "C2"}, 0, "jw-reverse.reg"},
    // The check mode: every figure back with markers at the findings; with none, nothing written and told.
    {"check-markers", "floor", {"CK"}, 0},
    {"check-nothing-found", "apart", {"CK"}, 0},
};

// The files of a folder, name to bytes; none when there is no such folder.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            files[entry.path().filename().string()] = file::Read(entry.path().string()).value_or("<unreadable>");
    return files;
}

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// Runs the case in `work`, its output going to stdout.txt and stderr.txt there.
int RunCli(const CliCase& c, const fs::path& work) {
    std::string command = Quoted(fs::path(VEMORA_CLI).make_preferred()) + " --dir " + Quoted(work) + " --registry " +
                          Quoted(kData / c.registry) + (c.registry == "jw.reg" ? " --zfile " + Quoted(work) : "");
    for (std::string arg : c.args) {
        if (arg.starts_with("DATA/")) arg = (fs::path(VEMORA_TEST_DATA) / arg.substr(5)).make_preferred().string();
        if (arg.starts_with("WORK/")) arg = (work / arg.substr(5)).make_preferred().string();
        command += " \"" + arg + "\"";
    }
    command += " > " + Quoted(work / "stdout.txt") + " 2> " + Quoted(work / "stderr.txt");
#ifdef _WIN32
    return _wsystem(utf16::Widen("\"" + command + "\"").c_str());  // wide: the names may be Japanese
#else
    int raw = std::system(command.c_str());
    return (raw & 0x7f) == 0 ? (raw >> 8) & 0xff : -1;
#endif
}

}  // namespace

TEST(CliDriver, EachRunEndsWithItsStatusOutputAndFiles) {
    for (const CliCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempFolder work(c.name);
        if (*c.data) fs::copy(kData / c.data, work.Path(), fs::copy_options::recursive);
        EXPECT_EQ(RunCli(c, work.Path()), c.status);
        std::map<std::string, std::string> expected = Files(*c.data ? kData / c.data : fs::path());
        for (const auto& [name, bytes] : Files(kData / "expected" / c.name)) expected[name] = bytes;
        EXPECT_EQ(Files(work.Path()), expected);
    }
}
