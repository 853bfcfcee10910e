// The form model's load step, row editors, menus and the way a run ends.
#include "ui/FormModel.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

TEST(FormLoad, MeasuresTheExchangeFileIntoRows) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    EXPECT_EQ(form.Row(1).left, kRed);
    EXPECT_EQ(form.Row(1).leftTip, "R:255 G:0 B:0");
    EXPECT_EQ(form.Row(2).quantity, "1.500");
    EXPECT_EQ(form.Row(3).unit, "m^2");
    EXPECT_EQ(form.Row(3).unitEntry, "m^2,1");
    EXPECT_EQ(form->GetTable().nextRow, 4);
    EXPECT_TRUE(form.fake.messages.empty());
}

TEST(FormLoad, LayerNameModeReadsSettingsButNoExchangeFile) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    folder.Write("Vemora.INI", {"[kihon]", "intYose=2", "Keta=1"});
    LoadedForm form(ModeCode::LayerNames, folder);
    EXPECT_EQ(form->Settings().Keta, "1");
    EXPECT_EQ(form.Row(1).left, form->Background());
    EXPECT_TRUE(form.fake.messages.empty());  // neither the file nor "ソリッド図形がありません。"
    EXPECT_EQ(form->NameAlignment(), std::nullopt);
    EXPECT_TRUE(form->ListEntries(PanelField::Soto_lc).empty());
}

TEST(FormLoad, PreviousTableIsLoadedBeforeTheExchangeFile) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    folder.Write("koumoku.INI", {"[koumokusuu]", "koumokusuu=1", "[Solid]", "Solidclr_1=16711680", "[koumoku]",
                                "koumoku_1=屋根", "[tani]", "tani_1=m2,2"});
    LoadedForm form(ModeCode::PreviousArea, folder);
    EXPECT_EQ(form.Row(1).name, "屋根");  // blue stays in row 1, with its factor 2
    EXPECT_EQ(form.Row(1).quantity, "4.000");
    EXPECT_EQ(form.Row(2).left, kRed);  // new colours come after it
    EXPECT_EQ(form->GetTable().nextRow, 4);
}

TEST(FormLoad, StoredAlignmentIsAppliedAndAPenAbove116EndsTheRun) {
    ScratchFolder folder;
    folder.Write("Vemora.INI", {"[kihon]", "intYose=1"});
    folder.Write("TEMP.TXT", {"hq", "lc117", "sl 0 0 1000 0 0 1000"});
    LoadedForm form(ModeCode::NewArea, folder);
    EXPECT_EQ(form->NameAlignment(), 1);
    EXPECT_TRUE(form->StateOf(Command::AlignRight).checked);
    EXPECT_EQ(form->GetRunState(), RunState::Aborted);
    ASSERT_EQ(form.fake.messages.size(), 1u);
    EXPECT_NE(form.fake.messages[0].text.find("SXF"), std::string::npos);
}

TEST(NameEditor, TypingCommitsLiveAndEnterWalksOnWrappingAfterRow16) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickName(16);
    EXPECT_TRUE(form->NameEditor().visible);
    EXPECT_EQ(form->NameEditor().row, 16);
    form->NameEditorTextChanged("居");
    EXPECT_EQ(form.Row(16).name, "居");
    form->NameEditorTextChanged("居室");
    EXPECT_EQ(form.Row(16).name, "居室");
    form->NameEditorKeyDown(kEnterKey);
    EXPECT_EQ(form->NameEditor().row, 1);
    EXPECT_EQ(form->NameEditor().text, "");
    form->NameEditorTextChanged("廊下");
    form->NameEditorKeyDown('A');  // another key commits but stays
    EXPECT_EQ(form->NameEditor().row, 1);
    form->ClickUnit(2);  // the unit editor takes the focus
    EXPECT_FALSE(form->NameEditor().visible);
    EXPECT_TRUE(form->UnitEditor().visible);
    EXPECT_EQ(form.Row(1).name, "廊下");
    EXPECT_EQ(form.Row(16).name, "居室");
    form->NameEditorTextChanged("ignored while hidden");
    EXPECT_EQ(form.Row(1).name, "廊下");
}

TEST(UnitEditor, CommitSetsCaptionEntryAndFactorAndConvertsTheMeasuredQuantity) {
    struct Case {
        const char* text;
        const char* caption;
        const char* quantity;  // of 1.5 m² at three decimals
    };
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickUnit(2);
    EXPECT_EQ(form->UnitEditor().text, "m^2,1");
    for (const Case& c : {Case{"坪,0.3025,x", "坪", "0.454"}, Case{"m2", "m2", "1.500"}, Case{",3", "", "4.500"},
                          Case{"m2,0", "m2", "1.500"}, Case{"a, 0.01 ", "a", "0.015"}, Case{"", "", "1.500"}}) {
        form->UnitEditorTextChanged(c.text);
        EXPECT_EQ(form.Row(2).unit, c.caption) << c.text;
        EXPECT_EQ(form.Row(2).unitEntry, c.text);
        EXPECT_EQ(form.Row(2).quantity, c.quantity) << c.text;
    }
    form->SetQuantity(5, "12");  // typed into a row without area: kept
    form->SetRowUnit(5, "坪,0.3025");
    EXPECT_EQ(form.Row(5).quantity, "12");
    EXPECT_EQ(form.Row(5).unit, "坪");
}

TEST(Editors, EscapePutsBackWhatTheRowHadWhenTheEditorOpened) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickName(1);
    form->NameEditorTextChanged("居室");
    form->CancelNameEditor();
    EXPECT_FALSE(form->NameEditor().visible);
    EXPECT_EQ(form.Row(1).name, "");
    form->ClickUnit(2);
    form->UnitEditorTextChanged("坪,0.3025");
    EXPECT_EQ(form.Row(2).quantity, "0.454");
    form->CancelUnitEditor();
    EXPECT_FALSE(form->UnitEditor().visible);
    EXPECT_EQ(form.Row(2).unitEntry, "m^2,1");
    EXPECT_EQ(form.Row(2).factor, 1.0);
    EXPECT_EQ(form.Row(2).quantity, "1.500");
}

TEST(UnitEditor, EnterWalksEveryRowWithoutChangingEntriesAndRowZeroIsNoCell) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickUnit(0);
    EXPECT_FALSE(form->UnitEditor().visible);
    form->ClickUnit(3);
    for (int i = 0; i < 16; ++i) form->UnitEditorKeyDown(kEnterKey);
    EXPECT_EQ(form->UnitEditor().row, 3);
    for (int i = 1; i <= 16; ++i) EXPECT_EQ(form.Row(i).unitEntry, i <= 3 ? "m^2,1" : "") << i;
    EXPECT_EQ(form.Row(2).unit, "m^2");
}

TEST(FormMenus, AlignmentCommandsSetIntYoseAndTheMarks) {
    ScratchFolder folder;
    LoadedForm form(ModeCode::TableCreation, folder);
    form->Execute(Command::AlignCentre);
    EXPECT_EQ(form->Settings().intYose, 2);
    EXPECT_EQ(form->NameAlignment(), 2);
    form->Execute(Command::AlignRight);
    EXPECT_EQ(form->Settings().intYose, 1);
    EXPECT_TRUE(form->StateOf(Command::AlignRight).checked);
    EXPECT_FALSE(form->StateOf(Command::AlignCentre).checked);
    form->Execute(Command::About);
    EXPECT_EQ(form.fake.abouts, 1);
}

TEST(FormMenus, TableFilesUseTheirDialogsAndOpeningShowsTheLoadedAlignment) {
    ScratchFolder folder;
    folder.Write("plan.JHY", {"[kihon]", "intYose=2", "[koumokusuu]", "koumokusuu=1", "[koumoku]", "koumoku_1=壁"});
    LoadedForm form(ModeCode::TableCreation, folder);
    form.fake.files = {std::nullopt, folder.File("plan.JHY"), folder.File("saved.JHY")};
    form->Execute(Command::OpenTable);  // cancelled
    EXPECT_EQ(form.Row(1).name, "");
    form->Execute(Command::OpenTable);
    EXPECT_EQ(form.Row(1).name, "壁");
    EXPECT_TRUE(form->StateOf(Command::AlignCentre).checked);
    form->Execute(Command::SaveTable);
    EXPECT_NE(folder.Read("saved.JHY").find("koumoku_1=壁"), std::string::npos);

    const FileRequest& open = form.fake.fileRequests[0];
    EXPECT_EQ(open.kind, FileDialogKind::Open);
    EXPECT_EQ(open.title, "表ファイルを開く");
    EXPECT_EQ(open.filter, "表ファイル (*.JHY)|*.JHY");
    EXPECT_EQ(open.flags, 0x2004u);
    EXPECT_EQ(open.initialName, "*.JHY");
    EXPECT_EQ(open.defaultExt, "JHY");
    const FileRequest& save = form.fake.fileRequests[2];
    EXPECT_EQ(save.kind, FileDialogKind::Save);
    EXPECT_EQ(save.title, "表ファイルを保存");
    EXPECT_EQ(save.flags, 2u);
    EXPECT_EQ(save.initialName, "");
    EXPECT_EQ(save.defaultExt, "JHY");
}

TEST(FormMenus, ASaveThatFailsIsToldNotSilent) {
    ScratchFolder folder;
    LoadedForm form(ModeCode::NewArea, folder);
    form.fake.files = {folder.File("no-such-folder/t.JHY")};
    form->Execute(Command::SaveTable);
    ASSERT_EQ(form.fake.messages.size(), 2u);  // after "TEMP.TXT..." of the load step
    EXPECT_EQ(form.fake.messages[1].text.rfind("表ファイルを保存できませんでした。", 0), 0u);
}

TEST(FormEnd, OkWritesHandsOffOnceAndEnds) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form.fake.duringHandOff = [&] {
        EXPECT_TRUE(form->Busy());
        form->Ok();  // a second OK while Jw_cad reads: ignored
        form->ClickName(1);
        form->Execute(Command::Exit);
    };
    form->Ok();
    EXPECT_EQ(form.fake.handOffs, 1);
    EXPECT_FALSE(form->NameEditor().visible);
    EXPECT_EQ(form->GetRunState(), RunState::Finished);
    EXPECT_FALSE(form->OkFailed());
    EXPECT_NE(folder.Read("ZTEMP.TXT").find("h# 3色 4個のソリッド図形"), std::string::npos);
    EXPECT_TRUE(file::Exists(folder.File("koumoku.INI")));
}

// The table is handed to Jw_cad and the program ends, but a settings file left unsaved (here
// koumoku.INI, a folder) makes the OK a failed one.
TEST(FormEnd, UnsavedSettingsMakeTheOkFail) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    std::filesystem::create_directories(folder.Path() / "koumoku.INI");
    LoadedForm form(ModeCode::NewArea, folder);
    form->Ok();
    EXPECT_EQ(form.fake.handOffs, 1);
    EXPECT_EQ(form->GetRunState(), RunState::Finished);
    EXPECT_TRUE(form->OkFailed());
    EXPECT_TRUE(file::Exists(folder.File("Vemora.INI")));
    ASSERT_FALSE(form.fake.messages.empty());
    EXPECT_EQ(form.fake.messages.back().text.rfind("ファイルを書き込めませんでした。\r\n" + folder.File("koumoku.INI"), 0), 0u);
}

TEST(FormEnd, RewriteModesWriteTheResultFileWithoutHandOff) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::Overlap, folder);
    form->Ok();
    EXPECT_EQ(form.fake.handOffs, 0);
    EXPECT_EQ(form->GetRunState(), RunState::Finished);
    EXPECT_EQ(folder.Read("JWC_TEMP.TXT").rfind("hd\r\n", 0), 0u);
    EXPECT_FALSE(file::Exists(folder.File("Vemora.INI")));
}

TEST(FormEnd, ExitAndClosingWriteNothing) {
    for (bool viaMenu : {true, false}) {
        ScratchFolder folder;
        WriteThreeColours(folder);
        LoadedForm form(ModeCode::NewArea, folder);
        if (viaMenu) form->Execute(Command::Exit);
        else form->Close();
        EXPECT_EQ(form->GetRunState(), RunState::Exited);
        form->Ok();
        EXPECT_FALSE(file::Exists(folder.File("ZTEMP.TXT")));
        EXPECT_FALSE(file::Exists(folder.File("Vemora.INI")));
    }
}

TEST(FormEnd, AFailedWriteKeepsTheFormOpen) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    FakeServices fake;
    auto registry = TestRegistry();
    FormModel model(ModeCode::NewArea, *registry, fake.Services());
    model.Load({folder.Str(), folder.File("missing")});
    model.Ok();
    EXPECT_TRUE(model.OkFailed());
    EXPECT_EQ(model.GetRunState(), RunState::Running);
    EXPECT_EQ(fake.handOffs, 0);
}

}  // namespace
