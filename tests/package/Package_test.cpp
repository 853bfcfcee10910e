// The files shipped beside Vemora.exe, read from the package folder: the batch files Jw_cad
// runs, the list file, the default settings file and the guide.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "base/File.h"
#include "base/Sjis.h"
#include "model/Quantities.h"
#include "settings/Ini.h"
#include "settings/ListFile.h"
#include "settings/TableSettings.h"

namespace {

std::string ReadPackageFile(const std::string& name) {
    std::optional<std::string> bytes = file::Read(file::Join(VEMORA_PACKAGE_DIR, name));
    EXPECT_TRUE(bytes.has_value()) << "missing from the package: " << name;
    return bytes.value_or("");
}

std::set<std::string> PackageFileNames() {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::u8string(u8"" VEMORA_PACKAGE_DIR))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace(name.begin(), name.end());
    }
    return names;
}

// One batch file per mode word: its name, the word, the "REM " lines after "@echo off" and
// whether it waits for Vemora. The directives make Jw_cad write into JWC_TEMP.TXT what the mode
// reads, and no more (no #bz, #ht, #zz); the modes that rewrite the drawing start Vemora with
// /w, since Jw_cad reads JWC_TEMP.TXT back as soon as the batch file has ended.
const std::tuple<const char*, const char*, const char*, bool> kBatchFiles[] = {
    {"面積表_新規.BAT", "C2", "#jww #cd #h1 #hc<prompt>", false},
    {"面積表_前回.BAT", "C1", "#jww #cd #h1 #hc<prompt>", false},
    {"表作成.BAT", "M6", "#jww #cd #h0", false},
    {"ソリッド色変更.BAT", "M3", "#jww #cd #h1 #hc<prompt>", true},
    {"ソリッドレイヤ振分.BAT", "M4", "#jww #cd #h1 #hc<prompt>", true},
    {"ソリッド重なり変更.BAT", "M5", "#jww #cd #h1 #hc<prompt>", true},
    {"ソリッドチェック.BAT", "CK", "#jww #cd #h1 #hc<prompt>", true},
    {"レイヤ名設定.BAT", "M7", "#jww #cd #h0 #gn", false},
};

}  // namespace

TEST(PackageFiles, AreCodePage932WithCrLf) {
    for (const std::string& name : PackageFileNames()) {
        const std::string bytes = ReadPackageFile(name);
        bool lossy = false;
        EXPECT_TRUE(sjis::Encode(sjis::Decode(bytes, &lossy)) == bytes && !lossy && !bytes.starts_with("\xEF\xBB\xBF"))
            << name << " is not code page 932";
        EXPECT_TRUE(bytes.ends_with("\r\n") && !std::regex_search(bytes, std::regex("\r(?!\n)|(^|[^\r])\n")))
            << name << " has a line without CR LF";
    }
}

TEST(BatchFiles, OnePerModeWordCopyingTheExchangeFileAndStartingVemoraWithTheWord) {
    std::set<std::string> expected, found;
    for (const std::string& name : PackageFileNames())
        if (name.ends_with(".BAT") || name.ends_with(".bat")) found.insert(name);
    const std::string guide = sjis::Decode(ReadPackageFile("使い方.txt"));
    for (const auto& [name, word, directives, waits] : kBatchFiles) {
        expected.insert(name);
        EXPECT_NE(guide.find(name), std::string::npos) << "the guide does not name " << name;
        const std::string bytes = ReadPackageFile(name);
        // Jw_cad lists line 1 as the title; a "#" in its first ten bytes would read as a directive.
        EXPECT_TRUE(bytes.starts_with("REM ") && bytes.substr(0, 10).find('#') == std::string::npos) << name;
        std::string text = sjis::Decode(bytes.substr(bytes.find("\r\n") + 2));
        // The selection prompt Jw_cad shows, in Japanese.
        if (std::size_t prompt = text.find("#hc"); prompt != std::string::npos && (text[prompt + 3] & 0x80))
            text.replace(prompt + 3, text.find("\r\n", prompt) - prompt - 3, "<prompt>");
        std::string lines = "@echo off\r\nREM ";
        for (char c : std::string_view(directives)) lines += c == ' ' ? std::string("\r\nREM ") : std::string(1, c);
        // A failed copy must not start Vemora on the TEMP.TXT of an earlier run; start takes a
        // first quoted word as the window title.
        lines += "\r\nREM #e\r\ncopy /y JWC_TEMP.TXT TEMP.TXT > nul\r\nif errorlevel 1 goto :eof\r\nstart \"\" " +
                 std::string(waits ? "/w " : "") + "\"%~dp0Vemora.exe\" " + word + "\r\n";
        EXPECT_EQ(text, lines) << name;
    }
    EXPECT_EQ(found, expected);
}

// Quantity = area in m² × factor: 1 坪 = (6 尺)² = (20/11 m)² = 400/121 m²; the 畳 is the
// 1.62 m² of real-estate advertising. The settings' default unit is one of the list's.
TEST(ListFile, OffersItemsOnceAndUnitsWithTheirFactors) {
    const ListFile list = ParseListFile(ReadPackageFile("vemora.lst"));
    // An empty line would be an empty choice in the name list.
    EXPECT_EQ(std::count(list.items.begin(), list.items.end(), ""), 0);
    EXPECT_EQ(std::set<std::string>(list.items.begin(), list.items.end()).size(), list.items.size());
    const std::map<std::string, double> expected = {{"m^2", 1.0},          {"m^u2", 1.0},       {"㎡", 1.0},
                                                    {"坪", 121.0 / 400.0}, {"畳", 1.0 / 1.62}, {"a", 0.01},
                                                    {"ha", 0.0001}};
    std::map<std::string, double> found;
    for (const std::string& entry : list.units) found[std::string(UnitCaption(entry))] = UnitFactor(entry);
    ASSERT_EQ(found.size(), expected.size());
    for (const auto& [unit, factor] : expected) EXPECT_NEAR(found[unit] / factor, 1.0, 1e-14) << unit;
    TableSettings shipped;
    LoadSettings(ini::Document::Parse(ReadPackageFile("Vemora.INI")), shipped);
    EXPECT_NE(std::find(list.units.begin(), list.units.end(), shipped.defaultUnit), list.units.end());
}

TEST(DefaultSettings, FileIsWhatTheProgramWritesForTheDefaults) {
    ini::Document written;
    StoreSettings(TableSettings{}, written);
    EXPECT_EQ(ReadPackageFile("Vemora.INI"), written.Serialize());
}
