// The files shipped beside Vemora.exe, read from the package folder: the batch files Jw_cad
// runs, the list file, the default settings file and the guide.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Modes.h"
#include "base/File.h"
#include "base/Sjis.h"
#include "base/Text.h"
#include "settings/Ini.h"
#include "settings/ListFile.h"
#include "settings/TableSettings.h"

namespace {

namespace fs = std::filesystem;

std::string ReadPackageFile(std::string_view name) {
    std::optional<std::string> bytes = file::Read(file::Join(VEMORA_PACKAGE_DIR, name));
    EXPECT_TRUE(bytes.has_value()) << "missing from the package: " << name;
    return bytes.value_or("");
}

std::vector<std::string> PackageFileNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(std::u8string(
             reinterpret_cast<const char8_t*>(VEMORA_PACKAGE_DIR))))) {
        if (!entry.is_regular_file()) continue;
        std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The decoded lines of a package file, without their line ends.
std::vector<std::string> DecodedLines(std::string_view name) {
    std::string decoded = sjis::Decode(ReadPackageFile(name));
    std::vector<std::string> lines;
    for (std::string_view line : text::SplitLines(decoded)) lines.emplace_back(line);
    return lines;
}

// One batch file per mode word. Jw_cad writes JWC_TEMP.TXT with what the directives ask for;
// the mode reads only those records.
struct BatchFile {
    const char* name;
    const char* word;
    ModeCode mode;
    bool waits;  // the result-file modes: Jw_cad must read JWC_TEMP.TXT after Vemora has ended
    std::vector<std::string> directives;  // in order; "#hc" stands for "#hc" and its prompt
};

const std::vector<BatchFile>& BatchFiles() {
    static const std::vector<BatchFile> files = {
        {"面積表_新規.BAT", "C2", ModeCode::NewArea, false, {"#jww", "#cd", "#h1", "#hc"}},
        {"面積表_前回.BAT", "C1", ModeCode::PreviousArea, false, {"#jww", "#cd", "#h1", "#hc"}},
        {"表作成.BAT", "M6", ModeCode::TableCreation, false, {"#jww", "#cd", "#h0"}},
        {"ソリッド色変更.BAT", "M3", ModeCode::ColourChange, true, {"#jww", "#cd", "#h1", "#hc"}},
        {"ソリッドレイヤ振分.BAT", "M4", ModeCode::LayerDistribution, true, {"#jww", "#cd", "#h1", "#hc"}},
        {"ソリッド重なり変更.BAT", "M5", ModeCode::Overlap, true, {"#jww", "#cd", "#h1", "#hc"}},
        {"レイヤ名設定.BAT", "M7", ModeCode::LayerNamesExternal, false, {"#jww", "#cd", "#h0", "#gn"}},
    };
    return files;
}

// A batch file split the way Jw_cad and cmd.exe see it.
struct BatchParts {
    std::string title;                      // line 1 after "REM "
    std::vector<std::string> directives;    // "REM #..." lines before "REM #e", text after "REM "
    bool ended = false;                     // "REM #e" was there
    std::vector<std::string> lateDirectives;  // "REM #..." lines after "REM #e": Jw_cad ignores them
    std::vector<std::vector<std::string>> commands;  // other lines, as words, "> nul" dropped
};

// Words separated by blanks; a word in double quotes keeps its quotes.
std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t end = i;
        bool quoted = false;
        while (end < line.size() && (quoted || line[end] != ' ')) {
            if (line[end] == '"') quoted = !quoted;
            ++end;
        }
        words.emplace_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

BatchParts SplitBatch(std::string_view name) {
    BatchParts parts;
    std::vector<std::string> lines = DecodedLines(name);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        bool rem = text::StartsWithNoCase(line, "REM ");
        if (n == 0) {
            if (rem) parts.title = line.substr(4);
            continue;
        }
        if (rem && line.size() > 4 && line[4] == '#') {
            std::string directive = line.substr(4);
            if (parts.ended)
                parts.lateDirectives.push_back(directive);
            else if (directive == "#e")
                parts.ended = true;
            else
                parts.directives.push_back(directive);
        } else if (!rem && !line.empty() && !text::EqualsNoCase(line, "@echo off")) {
            std::vector<std::string> words = Words(line);
            auto redirect = std::find(words.begin(), words.end(), ">");
            words.erase(redirect, words.end());
            parts.commands.push_back(words);
        }
    }
    return parts;
}

std::string Unquote(std::string word) {
    word.erase(std::remove(word.begin(), word.end(), '"'), word.end());
    return word;
}

void ExpectCodePage932WithCrLf(std::string_view name, const std::string& bytes) {
    SCOPED_TRACE(std::string(name));
    ASSERT_FALSE(bytes.empty());
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << "a UTF-8 byte-order mark";
    bool lossy = false;
    std::string text = sjis::Decode(bytes, &lossy);
    EXPECT_FALSE(lossy) << "bytes that are not code page 932";
    EXPECT_EQ(sjis::Encode(text), bytes) << "does not survive a round trip through code page 932";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_TRUE(bytes.ends_with("\r\n")) << "the last line has no CR LF";
}

}  // namespace

TEST(PackageFiles, AreCodePage932WithCrLf) {
    std::vector<std::string> names = PackageFileNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) ExpectCodePage932WithCrLf(name, ReadPackageFile(name));
}

TEST(BatchFiles, OnePerModeWordAndNoOther) {
    std::set<std::string> expected;
    for (const BatchFile& batch : BatchFiles()) expected.insert(batch.name);
    std::set<std::string> found;
    for (const std::string& name : PackageFileNames())
        if (name.size() > 4 && text::EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".BAT"))
            found.insert(name);
    EXPECT_EQ(found, expected);
}

TEST(BatchFiles, TitleLineThenTheDirectivesTheModeReads) {
    for (const BatchFile& batch : BatchFiles()) {
        SCOPED_TRACE(batch.name);
        BatchParts parts = SplitBatch(batch.name);
        // Jw_cad lists line 1 as the title; a "#" in its first ten bytes would read as a directive.
        EXPECT_FALSE(parts.title.empty());
        EXPECT_EQ(DecodedLines(batch.name).front().substr(0, 10).find('#'), std::string::npos);

        std::vector<std::string> keys;
        for (const std::string& directive : parts.directives) {
            if (directive.starts_with("#hc")) {
                keys.push_back("#hc");
                std::string prompt = directive.substr(3);
                EXPECT_TRUE(std::any_of(prompt.begin(), prompt.end(), [](char c) { return (c & 0x80) != 0; }))
                    << "the selection prompt is not in Japanese: " << prompt;
            } else {
                keys.push_back(directive);
            }
        }
        // Exactly these: no #bz (paper millimetres), no #ht (solids left out), no #zz or #gn
        // lines that a rewrite would feed back to Jw_cad.
        EXPECT_EQ(keys, batch.directives);
        EXPECT_TRUE(parts.ended) << "no REM #e";
        EXPECT_TRUE(parts.lateDirectives.empty());
    }
}

TEST(BatchFiles, CopyTheExchangeFileThenStartVemoraWithTheModeWord) {
    for (const BatchFile& batch : BatchFiles()) {
        SCOPED_TRACE(batch.name);
        const auto commands = SplitBatch(batch.name).commands;
        ASSERT_EQ(commands.size(), 3u);

        // Vemora reads TEMP.TXT in its folder, which #cd makes the batch's folder.
        const auto& copy = commands[0];
        ASSERT_GE(copy.size(), 3u);
        EXPECT_TRUE(text::EqualsNoCase(copy[0], "copy"));
        EXPECT_EQ(copy[copy.size() - 2], "JWC_TEMP.TXT");
        EXPECT_EQ(copy.back(), "TEMP.TXT");

        // A failed copy must not start Vemora on the TEMP.TXT of an earlier run: in the
        // rewrite modes Jw_cad would replace the selection with those old figures.
        std::vector<std::string> guard = {"if", "errorlevel", "1", "goto", ":eof"};
        EXPECT_EQ(commands[1], guard);

        const auto& start = commands[2];
        ASSERT_GE(start.size(), 4u);
        EXPECT_TRUE(text::EqualsNoCase(start[0], "start"));
        EXPECT_EQ(start[1], "\"\"") << "start takes a first quoted word as the window title";
        std::size_t program = 2;
        bool waits = text::EqualsNoCase(start[2], "/w") || text::EqualsNoCase(start[2], "/wait");
        if (waits) ++program;
        EXPECT_EQ(waits, batch.waits);
        ASSERT_EQ(start.size(), program + 2);
        EXPECT_EQ(start[program], "\"%~dp0Vemora.exe\"");
        EXPECT_EQ(start[program + 1], batch.word);
        EXPECT_EQ(SelectMode(start[program + 1]).code, batch.mode);
    }
}

TEST(BatchFiles, NameOnlyFilesOfThePackageOrMadeAtRunTime) {
    std::set<std::string> known = {"Vemora.exe", "vemora-cli.exe", "TEMP.TXT", "JWC_TEMP.TXT"};
    for (const std::string& name : PackageFileNames()) known.insert(name);
    for (const BatchFile& batch : BatchFiles()) {
        SCOPED_TRACE(batch.name);
        for (const auto& command : SplitBatch(batch.name).commands) {
            for (std::string word : command) {
                word = Unquote(word);
                if (word.starts_with("%~dp0")) word.erase(0, 5);
                std::size_t dot = word.rfind('.');
                if (dot == std::string::npos || dot == 0 || word.starts_with('/')) continue;
                EXPECT_TRUE(known.count(word)) << "names a file the package does not have: " << word;
            }
        }
    }
}

TEST(ListFile, OffersItemNamesWithoutEmptyOrRepeatedEntries) {
    ListFile list = ParseListFile(ReadPackageFile("vemora.lst"));
    EXPECT_GE(list.items.size(), 20u);
    std::set<std::string> seen;
    for (const std::string& item : list.items) {
        SCOPED_TRACE(item);
        EXPECT_FALSE(item.empty()) << "an empty line inside [items]";
        EXPECT_FALSE(item.starts_with("[")) << "a header right after a header";
        EXPECT_FALSE(item.starts_with(" ") || item.ends_with(" ")) << "blanks are kept in the item name";
        EXPECT_TRUE(seen.insert(item).second) << "listed twice";
    }
}

TEST(ListFile, UnitFactorsTurnSquareMetresIntoTheUnit) {
    // Quantity = area in m² × factor. 1 坪 = (6 尺)² = (20/11 m)² = 400/121 m²; the 畳 here
    // is the 1.62 m² of Japanese real-estate advertising, as the file's notes say.
    const std::map<std::string, double> expected = {
        {"m^2", 1.0}, {"m^u2", 1.0}, {"㎡", 1.0}, {"坪", 121.0 / 400.0}, {"畳", 1.0 / 1.62}, {"a", 0.01}, {"ha", 0.0001},
    };
    ListFile list = ParseListFile(ReadPackageFile("vemora.lst"));
    std::map<std::string, double> found;
    for (const std::string& entry : list.units) {
        SCOPED_TRACE(entry);
        std::size_t comma = entry.find(',');
        ASSERT_NE(comma, std::string::npos) << "a unit entry without a factor";
        std::string_view factorText = std::string_view(entry).substr(comma + 1);
        double factor = 0;
        auto [end, ec] = std::from_chars(factorText.data(), factorText.data() + factorText.size(), factor);
        EXPECT_TRUE(ec == std::errc() && end == factorText.data() + factorText.size()) << "the factor is not a number";
        EXPECT_TRUE(found.emplace(entry.substr(0, comma), factor).second) << "unit listed twice";
    }
    ASSERT_EQ(found.size(), expected.size());
    for (const auto& [unit, factor] : expected) {
        SCOPED_TRACE(unit);
        ASSERT_TRUE(found.count(unit));
        EXPECT_NEAR(found.at(unit) / factor, 1.0, 1e-14);
    }
}

TEST(ListFile, OffersTheDefaultUnitOfTheSettings) {
    ListFile list = ParseListFile(ReadPackageFile("vemora.lst"));
    TableSettings shipped;
    LoadSettings(ini::Document::Parse(ReadPackageFile("Vemora.INI")), shipped);
    EXPECT_NE(std::find(list.units.begin(), list.units.end(), shipped.defaultUnit), list.units.end());
}

TEST(DefaultSettings, FileIsWhatTheProgramWritesForTheDefaults) {
    ini::Document written;
    StoreSettings(TableSettings{}, written);
    EXPECT_EQ(ReadPackageFile("Vemora.INI"), written.Serialize());
}

TEST(Guide, NamesEveryBatchFileAndScreenshot) {
    std::string guide = sjis::Decode(ReadPackageFile("使い方.txt"));
    for (const BatchFile& batch : BatchFiles()) EXPECT_NE(guide.find(batch.name), std::string::npos) << batch.name;
    // The screenshots scripts/package.sh puts into docs/.
    for (const char* shot : {"c2", "m3", "m5", "layer", "settings"}) {
        std::string name = std::string("docs\\screenshot-") + shot + ".png";
        EXPECT_NE(guide.find(name), std::string::npos) << name;
    }
}
