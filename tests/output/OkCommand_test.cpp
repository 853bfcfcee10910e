#include "output/OkCommand.h"

#include <gtest/gtest.h>

#include "OutputFixture.h"
#include "TempFolder.h"
#include "settings/Ini.h"

using fixture::EmptyTable;
using fixture::SetRow;

namespace {

// A program folder and a coordinate folder, and the form's state at the press of OK.
struct OkCase {
    TempFolder dir;
    std::string program = dir.File("prog");
    std::string coordinate = dir.File("jww");
    Table table = EmptyTable(kWhite);
    fixture::DrawingBuilder b;
    TableSettings settings = fixture::ExampleSettings();
    std::string title = "面積表";
    SolidColour background = kWhite;
    RecordingNotifier notifier;

    OkCase() {
        std::filesystem::create_directories(dir.Path() / "prog");
        std::filesystem::create_directories(dir.Path() / "jww");
        fixture::SetTextSize(b.drawing, 5, "4", "4", "0.5");
        SetRow(table, 1, kRed, "壁", "12.50", "m2");
    }
    OkResult Run(ModeCode mode, bool stoppedEarly = false) {
        OkContext context{mode, table, b.drawing, settings, background, title, program, coordinate, stoppedEarly};
        return RunOk(context, notifier);
    }
    std::string Read(const std::string& folder, std::string_view name) const {
        return file::Read(file::Join(folder, name)).value_or("<missing>");
    }
    bool Exists(const std::string& folder, std::string_view name) const {
        return file::Exists(file::Join(folder, name));
    }
    std::string OnlyMessage() const {
        EXPECT_EQ(notifier.messages.size(), 1u);
        if (notifier.messages.empty())
            return "";
        EXPECT_EQ(notifier.messages[0].icon, MessageIcon::Exclamation);
        return notifier.messages[0].text;
    }
};

}  // namespace

TEST(OkCommand, TableModesWriteTheCoordinateFileAndSaveTheSettings) {
    struct Case {
        ModeCode mode;
        bool savesItems;
    } cases[] = {{ModeCode::TableCreation, false}, {ModeCode::NewArea, true}, {ModeCode::PreviousArea, true}};
    for (const Case& c : cases) {
        OkCase ok;
        SetRow(ok.table, 2, 65280, "床材", "3.00", "m2");
        OkResult result = ok.Run(c.mode);
        EXPECT_TRUE(result.wrote && result.handOff && result.endsProgram);
        EXPECT_TRUE(ok.notifier.messages.empty());
        EXPECT_SAME_OUTPUT(ok.Read(ok.coordinate, "ZTEMP.TXT"), "example.ztemp.txt");
        EXPECT_FALSE(ok.Exists(ok.program, "JWC_TEMP.TXT"));

        auto settings = ini::Document::Load(file::Join(ok.program, "Vemora.INI"));
        EXPECT_EQ(settings.Get("Moji", "Mojishu", "<missing>"), "cn5");
        EXPECT_EQ(settings.Get("kihon", "intYose", "<missing>"), "1");
        auto items = ini::Document::Load(file::Join(ok.program, "koumoku.INI"));
        EXPECT_EQ(items.Get("koumokusuu", "koumokusuu", "<missing>"), c.savesItems ? "2" : "<missing>");
        EXPECT_EQ(items.Get("koumoku", "koumoku_2", "<missing>"), c.savesItems ? "床材" : "<missing>");
    }
}

// A folder that is not there: the message names the file and the reason; nothing is
// written or saved and the form stays open.
TEST(OkCommand, OutputThatCannotBeWrittenIsReported) {
    for (ModeCode mode : {ModeCode::NewArea, ModeCode::ColourChange}) {
        OkCase ok;
        ok.coordinate = ok.dir.File("no-such-folder");
        ok.program = ok.dir.File("gone");
        std::string path =
            RewritesSolids(mode) ? file::Join(ok.program, "JWC_TEMP.TXT") : file::Join(ok.coordinate, "ZTEMP.TXT");
        OkResult result = ok.Run(mode);
        EXPECT_FALSE(result.wrote || result.handOff || result.endsProgram);
        EXPECT_EQ(ok.OnlyMessage(), "ファイルを書き込めませんでした。\r\n" + path + "\r\nフォルダがありません。");
        EXPECT_FALSE(std::filesystem::exists(ok.dir.Path() / "gone"));
    }
}

TEST(OkCommand, UnusableSettingWritesNothing) {
    for (ModeCode mode : {ModeCode::NewArea, ModeCode::LayerNamesExternal}) {
        OkCase ok;
        ok.settings.Solid_W = "abc";
        ok.title = "1";
        OkResult result = ok.Run(mode);
        EXPECT_FALSE(result.wrote || result.handOff || result.endsProgram);
        EXPECT_EQ(
            ok.OnlyMessage(),
            "作表設定「表内のソリッドの幅」(Solid_W) の値「abc」は数値ではありません。\r\n表を作成できませんでした。");
        EXPECT_FALSE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
        EXPECT_FALSE(ok.Exists(ok.program, "Vemora.INI"));
        EXPECT_EQ(ok.title, "1");
        EXPECT_EQ(ok.table.Row(1).name, "壁");
    }
}

// The table stands once it is written; a settings file that cannot be saved is told about.
TEST(OkCommand, SettingsThatCannotBeSavedAreReported) {
    OkCase ok;
    ok.program = ok.dir.File("gone");
    OkResult result = ok.Run(ModeCode::TableCreation);
    EXPECT_TRUE(result.wrote && result.handOff);
    EXPECT_FALSE(result.settingsSaved);
    EXPECT_TRUE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
    EXPECT_EQ(ok.OnlyMessage(), "ファイルを書き込めませんでした。\r\n" + file::Join(ok.program, "Vemora.INI") +
                                    "\r\nフォルダがありません。");
}

// A folder named koumoku.INI stops the item table being saved (no root needed): the settings
// are saved, the item table is not, and the result says the save failed.
TEST(OkCommand, ItemTableThatCannotBeSavedIsReported) {
    OkCase ok;
    std::filesystem::create_directories(ok.dir.Path() / "prog" / "koumoku.INI");
    OkResult result = ok.Run(ModeCode::NewArea);
    EXPECT_TRUE(result.wrote && result.handOff);
    EXPECT_FALSE(result.settingsSaved);
    EXPECT_TRUE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
    EXPECT_TRUE(ok.Exists(ok.program, "Vemora.INI"));
    // The reason after the path depends on the system.
    EXPECT_EQ(ok.OnlyMessage().rfind("ファイルを書き込めませんでした。\r\n" + file::Join(ok.program, "koumoku.INI") + "\r\n", 0),
              0u);
}

TEST(OkCommand, RewriteModesWriteTheResultFileOnly) {
    for (ModeCode mode : {ModeCode::ColourChange, ModeCode::LayerDistribution, ModeCode::Overlap}) {
        OkCase ok;
        ok.b.Other("ci 0 0 500");
        OkResult result = ok.Run(mode);
        EXPECT_TRUE(result.wrote && result.endsProgram);
        EXPECT_FALSE(result.handOff);
        EXPECT_EQ(ok.Read(ok.program, "JWC_TEMP.TXT").substr(0, 18), "hd\r\nci 0 0 500\r\n\r\n");
        EXPECT_FALSE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
        EXPECT_FALSE(ok.Exists(ok.program, "Vemora.INI"));
    }
}

// After the colour limit the kept lines stop where the reading stopped: a result file would
// make Jw_cad delete every figure after that point.
TEST(OkCommand, RewriteAfterTheColourLimitWritesNoResultFile) {
    for (ModeCode mode : {ModeCode::ColourChange, ModeCode::LayerDistribution, ModeCode::Overlap}) {
        OkCase ok;
        OkResult result = ok.Run(mode, true);
        EXPECT_FALSE(result.wrote || result.handOff);
        EXPECT_TRUE(result.endsProgram);
        EXPECT_EQ(ok.OnlyMessage(), "16色を越えたため、図形を書き戻せません。");
        EXPECT_FALSE(ok.Exists(ok.program, "JWC_TEMP.TXT"));
    }
}

TEST(OkCommand, LayerNamesGoToTheCoordinateFile) {
    OkCase ok;
    ok.settings.Solid_W = "abc";  // no table in this mode: the table settings do not matter
    ok.title = "";
    OkResult result = ok.Run(ModeCode::LayerNames);
    EXPECT_TRUE(result.wrote && result.handOff && result.endsProgram);
    EXPECT_EQ(sjis::Decode(ok.Read(ok.coordinate, "ZTEMP.TXT")), "ch 0 0 0 0 \"レイヤ名を設定しました。 \r\n");
    EXPECT_FALSE(ok.Exists(ok.program, "Vemora.INI"));
}

TEST(OkCommand, ExternalLayerNamesThenTheLayerTable) {
    OkCase ok;
    ok.table = EmptyTable(kWhite);
    for (int p = 1; p <= kRowCount; ++p)
        ok.table.Row(p).leftCaption = std::string(1, UpperHexDigit(p));
    ok.table.Row(1).name = "壁";
    SetRow(ok.table, 3, kRed, "#c#FF0000", "", "");
    ok.table.Row(5).name = "設備";
    ok.title = "1,3-4";
    OkResult result = ok.Run(ModeCode::LayerNamesExternal);
    EXPECT_TRUE(result.wrote && result.handOff && result.endsProgram);
    EXPECT_SAME_OUTPUT(ok.Read(ok.coordinate, "ZTEMP.TXT"), "mode7.ztemp.txt");
    EXPECT_EQ(ok.title, "レイヤグループ:1,3-4");
    EXPECT_EQ(ok.table.Row(3).name, "レイヤ2");
    EXPECT_EQ(ok.table.Row(3).unit, "#c#FF0000");
    EXPECT_TRUE(ok.Exists(ok.program, "Vemora.INI"));
    EXPECT_FALSE(ok.Exists(ok.program, "koumoku.INI"));
}

// Pressing OK again after a failed write must not prefix the title twice or rename the rows.
TEST(OkCommand, ExternalLayerNamesChangeNothingWhenTheFileIsNotWritten) {
    OkCase ok;
    ok.coordinate = ok.dir.File("no-such-folder");
    ok.title = "0";
    ok.Run(ModeCode::LayerNamesExternal);
    EXPECT_EQ(ok.title, "0");
    EXPECT_EQ(ok.table.Row(1).name, "壁");
    EXPECT_EQ(ok.table.Row(1).unit, "m2");
}

// One black and one red solid on a black background: both reach every output, and the
// empty rows (black too) stay out of it.
TEST(OkCommand, BackgroundColouredSolidsReachEveryOutput) {
    const std::string black = "sl 0 0 1000 0 1000 1000 0 1000", red = "sl 0 0 2000 0 2000 1000 0 1000";
    for (ModeCode mode : {ModeCode::NewArea, ModeCode::ColourChange, ModeCode::LayerDistribution, ModeCode::Overlap}) {
        OkCase ok;
        ok.background = kBlack;
        ok.table = EmptyTable(kBlack);
        SetRow(ok.table, 1, kBlack, "", "1.000", "m^2");
        SetRow(ok.table, 2, kRed, "", "2.000", "m^2");
        ok.table.nextRow = 3;
        ok.b.Solid(ok.table, 1, &RowRecords::sl, black);
        ok.b.Solid(ok.table, 2, &RowRecords::sl, red);
        ASSERT_TRUE(ok.Run(mode).wrote);
        if (mode == ModeCode::NewArea) {
            std::string drawn = ok.Read(ok.coordinate, "ZTEMP.TXT");
            EXPECT_NE(drawn.find("\"1.000\r\n"), std::string::npos);
            EXPECT_NE(drawn.find("\"2.000\r\n"), std::string::npos);
            EXPECT_NE(drawn.find(sjis::Encode("h# 2色 2個")), std::string::npos);
        } else {
            std::string result = ok.Read(ok.program, "JWC_TEMP.TXT");
            EXPECT_NE(result.find("\r\n" + black + "\r\n"), std::string::npos) << ToInt(mode);
            EXPECT_NE(result.find("\r\n" + red + "\r\n"), std::string::npos) << ToInt(mode);
            int colours = 0;
            for (std::size_t at = 0; (at = result.find("\r\nlc10 ", at)) != std::string::npos; ++at)
                ++colours;
            EXPECT_EQ(colours, 2) << ToInt(mode);
        }
    }
}
