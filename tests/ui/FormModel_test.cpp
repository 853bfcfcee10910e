// The form model's load step, its menus and table files, and the ways a run ends.
#include "ui/FormModel.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

TEST(FormLoad, MeasuresTheExchangeFileIntoRows) {
    LoadedForm form(ModeCode::NewArea);
    EXPECT_EQ(form.Row(1).colour, kRed);
    EXPECT_EQ(form.Row(2).quantity, "1.500");
    EXPECT_EQ(form.Row(3).unitEntry, "m^2,1");
    EXPECT_EQ(form->GetTable().firstFreeRow, 4);
    EXPECT_TRUE(form.fake.messages.empty());
}

TEST(FormLoad, TitleBoxTakesTheSavedTitle) {
    LoadedForm form(ModeCode::NewArea, OneFile("TEMP.TXT", {"hq", "hhp1ch", "x\"面積表", "lc1", "sl 0 0 1 0 0 1"}));
    EXPECT_EQ(form->Title(), "面積表");
}

TEST(FormLoad, PreviousTableIsLoadedBeforeTheExchangeFile) {
    LoadedForm form(ModeCode::PreviousArea, [](const ScratchFolder& folder) {
        WriteThreeColours(folder);
        folder.Write("koumoku.INI", {"[koumokusuu]", "koumokusuu=1", "[Solid]", "Solidclr_1=16711680", "[koumoku]",
                                     "koumoku_1=屋根", "[tani]", "tani_1=m2,2"});
    });
    EXPECT_EQ(form.Row(1).name, "屋根");  // blue stays in row 1, with its factor 2
    EXPECT_EQ(form.Row(1).quantity, "4.000");
    EXPECT_EQ(form.Row(2).colour, kRed);  // new colours come after it
    EXPECT_EQ(form->GetTable().firstFreeRow, 4);
}

TEST(FormLoad, LayerNameModeReadsSettingsButNoExchangeFile) {
    LoadedForm form(ModeCode::LayerNames, [](const ScratchFolder& folder) {
        WriteThreeColours(folder);
        folder.Write("Vemora.INI", {"[kihon]", "intYose=2", "Keta=1"});
    });
    EXPECT_EQ(form->Settings().rounding, "1");
    EXPECT_EQ(form.Row(1).colour, form->Background());
    EXPECT_TRUE(form.fake.messages.empty());  // neither the file nor "ソリッド図形がありません。"
    EXPECT_EQ(form->NameAlignment(), std::nullopt);
    EXPECT_TRUE(form->ListEntries(PanelField::OuterFrameColour).empty());
}

TEST(FormLoad, StoredAlignmentIsAppliedAndAPenAbove116EndsTheRun) {
    LoadedForm form(ModeCode::NewArea, [](const ScratchFolder& folder) {
        folder.Write("Vemora.INI", {"[kihon]", "intYose=1"});
        folder.Write("TEMP.TXT", {"hq", "lc117", "sl 0 0 1000 0 0 1000"});
    });
    EXPECT_TRUE(form->StateOf(Command::AlignRight).checked);
    EXPECT_EQ(form->GetRunState(), RunState::Aborted);
    ASSERT_EQ(form.fake.messages.size(), 1u);
    EXPECT_NE(form.fake.messages[0].text.find("SXF"), std::string::npos);
}

TEST(FormLoad, DrawOrderAndSwatchTextFollowTheRegistry) {
    std::string captions[2];
    for (int reverse : {0, 1}) {
        LoadedForm form(ModeCode::Overlap, Nothing, TestRegistry("ffffff", reverse));
        captions[reverse] = form->Caption();
        EXPECT_EQ(form->SwatchMark(1, true), reverse ? "上" : "下");
    }
    EXPECT_NE(captions[0], captions[1]);
    for (auto [background, white] : {std::pair{"0", true}, std::pair{"767676", true}, std::pair{"777777", false}}) {
        LoadedForm form(ModeCode::LayerNames, Nothing, TestRegistry(background));
        EXPECT_EQ(form->SwatchTextWhite(), white) << background;
        EXPECT_EQ(form.Row(16).newColour, form->Background());
    }
}

TEST(FormMenus, AlignmentSetsTheSettingAndTheMarks) {
    LoadedForm form(ModeCode::TableCreation, Nothing);
    for (auto [alignment, command] : {std::pair{2, Command::AlignCentre}, std::pair{1, Command::AlignRight}}) {
        form->SetNameAlignment(alignment);
        EXPECT_EQ(form->Settings().nameAlignment, alignment);
        for (Command c : {Command::AlignLeft, Command::AlignCentre, Command::AlignRight})
            EXPECT_EQ(form->StateOf(c).checked, c == command);
    }
    form->SetNameAlignment(3);
    EXPECT_EQ(form->NameAlignment(), 1);
    EXPECT_FALSE(form->StateOf(Command::AlignLeft, true).enabled);  // the settings panel is shown
}

TEST(FormMenus, TableFilesOpenWithTheirAlignmentAndAFailedSaveIsTold) {
    LoadedForm form(ModeCode::TableCreation, OneFile("plan.JHY", {"[kihon]", "intYose=2", "[koumokusuu]",
                                                                  "koumokusuu=1", "[koumoku]", "koumoku_1=壁"}));
    const std::string plan = form.folder.File("plan.JHY");
    EXPECT_FALSE(form->OpenTableFile(""));
    EXPECT_TRUE(form->OpenTableFile(plan));
    EXPECT_EQ(form.Row(1).name, "壁");
    EXPECT_TRUE(form->StateOf(Command::AlignCentre).checked);
    EXPECT_TRUE(form->SaveTableFile(form.folder.File("saved.JHY")));
    EXPECT_NE(form.folder.Read("saved.JHY").find("koumoku_1=壁"), std::string::npos);

    LoadedForm area(ModeCode::NewArea);  // saves tables, opens none
    EXPECT_FALSE(area->OpenTableFile(plan));
    EXPECT_EQ(area.Row(1).name, "");
    EXPECT_FALSE(area->SaveTableFile(area.folder.File("no-such-folder/t.JHY")));
    ASSERT_EQ(area.fake.messages.size(), 1u);
    EXPECT_EQ(area.fake.messages[0].text.rfind("表ファイルを保存できませんでした。", 0), 0u);

    LoadedForm recolour(ModeCode::ColourChange, Nothing);  // neither
    EXPECT_FALSE(recolour->SaveTableFile(recolour.folder.File("t.JHY")));
    EXPECT_FALSE(file::Exists(recolour.folder.File("t.JHY")));
}

TEST(FormEnd, OkWritesHandsOffOnceAndEnds) {
    LoadedForm form(ModeCode::NewArea);
    form.fake.duringHandOff = [&] {
        EXPECT_TRUE(form->Busy());
        EXPECT_FALSE(form->StateOf(Command::Exit).enabled);
        form->Ok();  // a second OK while Jw_cad reads: ignored, as is every other operation
        form->SetRowName(1, "遅い");
        form->CopyTable();
        form->Exit();
    };
    form->Ok();
    form->Exit();  // too late
    EXPECT_EQ(form.fake.handOffs, 1);
    EXPECT_TRUE(form.fake.clipboard.empty());
    EXPECT_EQ(form.Row(1).name, "");
    EXPECT_EQ(form->GetRunState(), RunState::Finished);
    EXPECT_FALSE(form->OkFailed());
    EXPECT_NE(form.folder.Read("ZTEMP.TXT").find("h# 3色 4個のソリッド図形"), std::string::npos);
    EXPECT_TRUE(file::Exists(form.folder.File("koumoku.INI")));
}

TEST(FormEnd, OkOutcomes) {
    auto itemTableIsAFolder = [](const ScratchFolder& folder) {
        WriteThreeColours(folder);
        std::filesystem::create_directories(folder.Path() / "koumoku.INI");
    };
    auto seventeenColours = [](const ScratchFolder& folder) {
        std::string text = "hq\r\n";
        for (int colour = 1; colour <= 17; ++colour)
            text += "lc10 " + std::to_string(colour) + "\r\nsl 0 0 1000 0 0 1000\r\n";
        ASSERT_TRUE(file::WriteAtomic(folder.File("TEMP.TXT"), text));
    };
    struct Case {
        const char* what;
        ModeCode mode;
        Prepare prepare;
        const char* coordinates;  // a subfolder for the coordinate file; empty: the program folder
        RunState state;
        bool failed, handedOff, settingsSaved;
        const char* written;      // the output OK leaves, or empty
        const char* lastMessage;  // how the last message starts; empty: not checked
    };
    using enum ModeCode;
    const Case cases[] = {
        {"unsaved settings", NewArea, itemTableIsAFolder, "", RunState::Finished, true, true, true, "ZTEMP.TXT",
         "ファイルを書き込めませんでした。"},
        {"failed write", NewArea, WriteThreeColours, "missing", RunState::Running, true, false, false, "",
         "ファイルを書き込めませんでした。"},
        {"rewrite", Overlap, WriteThreeColours, "", RunState::Finished, false, false, false, "JWC_TEMP.TXT", ""},
        {"rewrite after the colour limit", ColourChange, seventeenColours, "", RunState::Finished, true, false, false,
         "", "16色を越えたため"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadedForm form(c.mode, c.prepare, TestRegistry(), c.coordinates);
        form->Ok();
        EXPECT_EQ(form->GetRunState(), c.state);
        EXPECT_EQ(form->OkFailed(), c.failed);
        EXPECT_EQ(form.fake.handOffs, c.handedOff ? 1 : 0);
        for (const char* output : {"ZTEMP.TXT", "JWC_TEMP.TXT"})
            EXPECT_EQ(file::Exists(form.folder.File(output)), std::string_view(output) == c.written) << output;
        EXPECT_EQ(file::Exists(form.folder.File("Vemora.INI")), c.settingsSaved);
        const std::vector<std::string> texts = form.fake.Texts();
        EXPECT_EQ(texts.empty() ? "" : texts.back().substr(0, std::string_view(c.lastMessage).size()), c.lastMessage);
    }
}

TEST(FormEnd, ExitWritesNothing) {
    LoadedForm form(ModeCode::LayerNamesExternal);  // no file menu: the window's close
    form->Exit();
    EXPECT_EQ(form->GetRunState(), RunState::Exited);
    form->Ok();
    EXPECT_FALSE(file::Exists(form.folder.File("ZTEMP.TXT")));
    EXPECT_FALSE(file::Exists(form.folder.File("Vemora.INI")));
}

TEST(CopyAndOk, CopiesThenRunsOkAndAFailedCopyStopsIt) {
    for (bool works : {true, false}) {
        LoadedForm form(ModeCode::NewArea);
        form.fake.clipboardWorks = works;
        form->SetTitle("面積");
        form->CopyTable();
        ASSERT_EQ(form.fake.clipboard.size(), 1u);
        EXPECT_EQ(form.fake.clipboard[0], "面積\r\n\t1.000\tm^2\r\n\t1.500\tm^2\r\n\t2.000\tm^2\r\n");
        EXPECT_EQ(form->GetRunState(), works ? RunState::Finished : RunState::Running);
        EXPECT_EQ(file::Exists(form.folder.File("ZTEMP.TXT")), works);
        EXPECT_EQ(form.fake.messages.size(), works ? 0u : 1u);
    }
    for (ModeCode mode : {ModeCode::ColourChange, ModeCode::LayerNamesExternal}) {
        LoadedForm form(mode);
        form->CopyTable();  // the button is disabled or hidden there
        EXPECT_TRUE(form.fake.clipboard.empty());
        EXPECT_EQ(form->GetRunState(), RunState::Running);
    }
}

}  // namespace
