#include "output/OkCommand.h"

#include <gtest/gtest.h>

#include "FakeFileSystem.h"
#include "OutputFixture.h"
#include "TempFolder.h"
#include "settings/Ini.h"

using fixture::EmptyTable;
using fixture::SetRow;

namespace {

// What OK is asked to write.
struct Output {
    OkOutput output = OkOutput::AreaTable;
    RewriteKind rewrite = RewriteKind::Recolour;
    bool savesItemTable = false;
};
constexpr Output kTable{};
constexpr Output kMeasuredTable{.savesItemTable = true};
constexpr Output kLayerNames{.output = OkOutput::LayerNames};
constexpr Output kLayerNameTable{.output = OkOutput::LayerNameTable};
constexpr Output kRewrites[] = {{.output = OkOutput::Rewrite, .rewrite = RewriteKind::Recolour},
                                {.output = OkOutput::Rewrite, .rewrite = RewriteKind::LayerDistribution},
                                {.output = OkOutput::Rewrite, .rewrite = RewriteKind::DrawOrder}};

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
    OkResult Run(const Output& what, bool stoppedEarly = false) {
        return RunOk({what.output, what.rewrite, what.savesItemTable, table, b.drawing, settings, background, title,
                      program, coordinate, stoppedEarly},
                     notifier);
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

TEST(OkCommand, TablesWriteTheCoordinateFileAndSaveTheSettings) {
    for (const Output& what : {kTable, kMeasuredTable}) {
        OkCase ok;
        SetRow(ok.table, 2, 65280, "床材", "3.00", "m2");
        OkResult result = ok.Run(what);
        EXPECT_TRUE(result.wrote && result.handOff && result.endsProgram);
        EXPECT_TRUE(ok.notifier.messages.empty());
        EXPECT_SAME_OUTPUT(ok.Read(ok.coordinate, "ZTEMP.TXT"), "example.ztemp.txt");
        EXPECT_FALSE(ok.Exists(ok.program, "JWC_TEMP.TXT"));

        auto settings = ini::Document::Load(file::Join(ok.program, "Vemora.INI"));
        EXPECT_EQ(settings.Get("Moji", "Mojishu", "<missing>"), "cn5");
        EXPECT_EQ(settings.Get("kihon", "intYose", "<missing>"), "1");
        auto items = ini::Document::Load(file::Join(ok.program, "koumoku.INI"));
        EXPECT_EQ(items.Get("koumokusuu", "koumokusuu", "<missing>"), what.savesItemTable ? "2" : "<missing>");
        EXPECT_EQ(items.Get("koumoku", "koumoku_2", "<missing>"), what.savesItemTable ? "床材" : "<missing>");
    }
}

// A folder that is not there: the message names the file and the reason; nothing is
// written or saved and the form stays open.
TEST(OkCommand, OutputThatCannotBeWrittenIsReported) {
    for (const Output& what : {kMeasuredTable, kRewrites[0]}) {
        OkCase ok;
        ok.coordinate = ok.dir.File("no-such-folder");
        ok.program = ok.dir.File("gone");
        std::string path = what.output == OkOutput::Rewrite ? file::Join(ok.program, "JWC_TEMP.TXT")
                                                            : file::Join(ok.coordinate, "ZTEMP.TXT");
        OkResult result = ok.Run(what);
        EXPECT_FALSE(result.wrote || result.handOff || result.endsProgram);
        EXPECT_EQ(ok.OnlyMessage(), "ファイルを書き込めませんでした。\r\n" + path + "\r\nフォルダがありません。");
        EXPECT_FALSE(std::filesystem::exists(ok.dir.Path() / "gone"));
    }
}

TEST(OkCommand, UnusableSettingWritesNothing) {
    for (const Output& what : {kMeasuredTable, kLayerNameTable}) {
        OkCase ok;
        ok.settings.sampleWidth = "abc";
        ok.title = "1";
        OkResult result = ok.Run(what);
        EXPECT_FALSE(result.wrote || result.handOff || result.endsProgram);
        EXPECT_EQ(
            ok.OnlyMessage(),
            "作表設定「表内のソリッドの幅」(Solid_W) の値「abc」は数値ではありません。\r\n表を作成できませんでした。");
        EXPECT_FALSE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
        EXPECT_FALSE(ok.Exists(ok.program, "Vemora.INI"));
        EXPECT_FALSE(result.table || result.title);
    }
}

// The table stands once it is written; a settings file that cannot be saved is told about.
TEST(OkCommand, SettingsThatCannotBeSavedAreReported) {
    OkCase ok;
    ok.program = ok.dir.File("gone");
    OkResult result = ok.Run(kTable);
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
    OkResult result = ok.Run(kMeasuredTable);
    EXPECT_TRUE(result.wrote && result.handOff);
    EXPECT_FALSE(result.settingsSaved);
    EXPECT_TRUE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
    EXPECT_TRUE(ok.Exists(ok.program, "Vemora.INI"));
    // The reason after the path depends on the system.
    EXPECT_EQ(ok.OnlyMessage().rfind("ファイルを書き込めませんでした。\r\n" + file::Join(ok.program, "koumoku.INI") + "\r\n", 0),
              0u);
}

TEST(OkCommand, RewritesWriteTheResultFileOnly) {
    for (const Output& what : kRewrites) {
        OkCase ok;
        ok.b.Other("ci 0 0 500");
        OkResult result = ok.Run(what);
        EXPECT_TRUE(result.wrote && result.endsProgram);
        EXPECT_FALSE(result.handOff);
        EXPECT_EQ(ok.Read(ok.program, "JWC_TEMP.TXT").substr(0, 18), "hd\r\nci 0 0 500\r\n\r\n");
        EXPECT_FALSE(ok.Exists(ok.coordinate, "ZTEMP.TXT"));
        EXPECT_FALSE(ok.Exists(ok.program, "Vemora.INI"));
    }
}

// A result of many blocks goes to the temporary file as it is made: the file holds exactly
// what the rewrite makes, and a write that fails on the way leaves the old file alone.
TEST(OkCommand, LargeRewriteIsStreamedWhole) {
    OkCase ok;
    for (int i = 0; i < 20000; ++i)
        ok.b.Solid(ok.table, 1, &RowRecords::sl, "sl 0 0 1000 0 1000 1000 0 " + std::to_string(i));
    RecordWriter expected;
    WriteRewrite(ok.table, ok.b.drawing, ok.background, RewriteKind::Recolour, expected);
    ASSERT_GT(expected.Bytes().size(), 4 * file::AtomicWriter::kBlockSize);
    ASSERT_TRUE(ok.Run(kRewrites[0]).wrote);
    EXPECT_TRUE(ok.Read(ok.program, "JWC_TEMP.TXT") == expected.Bytes());
    for (const WriteFailure& failure : kWriteFailures) {
        SCOPED_TRACE(failure.what);
        FakeFileSystem fake(std::filesystem::path(ok.program), failure);
        file::ScopedFileSystem use(fake);
        ok.notifier.messages.clear();
        EXPECT_FALSE(ok.Run(kRewrites[0]).wrote);
        EXPECT_NE(ok.OnlyMessage().find(failure.reason), std::string::npos);
        EXPECT_TRUE(ok.Read(ok.program, "JWC_TEMP.TXT") == expected.Bytes());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ok.program), {}), 1);
    }
}

// After the colour limit the kept lines stop where the reading stopped: a result file would
// make Jw_cad delete every figure after that point.
TEST(OkCommand, RewriteAfterTheColourLimitWritesNoResultFile) {
    for (const Output& what : kRewrites) {
        OkCase ok;
        OkResult result = ok.Run(what, true);
        EXPECT_FALSE(result.wrote || result.handOff);
        EXPECT_TRUE(result.endsProgram);
        EXPECT_EQ(ok.OnlyMessage(), "16色を越えたため、図形を書き戻せません。");
        EXPECT_FALSE(ok.Exists(ok.program, "JWC_TEMP.TXT"));
    }
}

TEST(OkCommand, LayerNamesGoToTheCoordinateFile) {
    OkCase ok;
    ok.settings.sampleWidth = "abc";  // no table: the table settings do not matter
    ok.title = "";
    OkResult result = ok.Run(kLayerNames);
    EXPECT_TRUE(result.wrote && result.handOff && result.endsProgram);
    EXPECT_EQ(sjis::Decode(ok.Read(ok.coordinate, "ZTEMP.TXT")), "ch 0 0 0 0 \"レイヤ名を設定しました。 \r\n");
    EXPECT_FALSE(ok.Exists(ok.program, "Vemora.INI"));
}

TEST(OkCommand, ExternalLayerNamesThenTheLayerTable) {
    OkCase ok;
    ok.table = EmptyTable(kWhite);
    ok.table.Row(1).name = "壁";
    SetRow(ok.table, 3, kRed, "#c#FF0000", "", "");
    ok.table.Row(5).name = "設備";
    ok.title = "1,3-4";
    OkResult result = ok.Run(kLayerNameTable);
    EXPECT_TRUE(result.wrote && result.handOff && result.endsProgram);
    EXPECT_SAME_OUTPUT(ok.Read(ok.coordinate, "ZTEMP.TXT"), "mode7.ztemp.txt");
    ASSERT_TRUE(result.table && result.title);
    EXPECT_EQ(*result.title, "レイヤグループ:1,3-4");
    EXPECT_EQ(result.table->Row(3).name, "レイヤ2");
    EXPECT_EQ(result.table->Row(3).unitEntry, "#c#FF0000");
    EXPECT_TRUE(ok.Exists(ok.program, "Vemora.INI"));
    EXPECT_FALSE(ok.Exists(ok.program, "koumoku.INI"));
}

// Pressing OK again after a failed write must not prefix the title twice or rename the rows:
// nothing comes back for the form to take over.
TEST(OkCommand, ExternalLayerNamesGiveNothingWhenTheFileIsNotWritten) {
    OkCase ok;
    ok.coordinate = ok.dir.File("no-such-folder");
    ok.title = "0";
    OkResult result = ok.Run(kLayerNameTable);
    EXPECT_FALSE(result.wrote || result.table || result.title);
}

// One black and one red solid on a black background: both reach every output, and the
// empty rows (black too) stay out of it.
TEST(OkCommand, BackgroundColouredSolidsReachEveryOutput) {
    const std::string black = "sl 0 0 1000 0 1000 1000 0 1000", red = "sl 0 0 2000 0 2000 1000 0 1000";
    for (const Output& what : {kMeasuredTable, kRewrites[0], kRewrites[1], kRewrites[2]}) {
        SCOPED_TRACE(static_cast<int>(what.rewrite));
        OkCase ok;
        ok.background = kBlack;
        ok.table = EmptyTable(kBlack);
        SetRow(ok.table, 1, kBlack, "", "1.000", "m^2");
        SetRow(ok.table, 2, kRed, "", "2.000", "m^2");
        ok.table.firstFreeRow = 3;
        ok.b.Solid(ok.table, 1, &RowRecords::sl, black);
        ok.b.Solid(ok.table, 2, &RowRecords::sl, red);
        ASSERT_TRUE(ok.Run(what).wrote);
        if (what.output == OkOutput::AreaTable) {
            std::string drawn = ok.Read(ok.coordinate, "ZTEMP.TXT");
            EXPECT_NE(drawn.find("\"1.000\r\n"), std::string::npos);
            EXPECT_NE(drawn.find("\"2.000\r\n"), std::string::npos);
            EXPECT_NE(drawn.find(sjis::Encode("h# 2色 2個")), std::string::npos);
        } else {
            std::string result = ok.Read(ok.program, "JWC_TEMP.TXT");
            EXPECT_NE(result.find("\r\n" + black + "\r\n"), std::string::npos);
            EXPECT_NE(result.find("\r\n" + red + "\r\n"), std::string::npos);
            int colours = 0;
            for (std::size_t at = 0; (at = result.find("\r\nlc10 ", at)) != std::string::npos; ++at)
                ++colours;
            EXPECT_EQ(colours, 2);
        }
    }
}
