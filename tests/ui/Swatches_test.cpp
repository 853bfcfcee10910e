// Swatch clicks, the swatch-mode button and the row exchange by drag and drop.
#include "ui/Swatches.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

TEST(SwapButton, CyclesReorderAddDeleteWithHintAndDragging) {
    ScratchFolder folder;
    LoadedForm form(ModeCode::NewArea, folder);
    const char* expected[][3] = {{"追加", "↑ここをクリックしてください", "no"},
                                 {"削除", "↑ここをクリックしてください", "no"},
                                 {"並替", "↑ここをドラッグしてください", "yes"}};
    for (auto& step : expected) {
        form->ClickSwapButton();
        EXPECT_EQ(form->SwapButtonCaption(), step[0]);
        EXPECT_EQ(form->Hint(), step[1]);
        EXPECT_EQ(form->LeftSwatchesDraggable(), std::string(step[2]) == "yes");
    }
    ScratchFolder other("other");
    LoadedForm overlap(ModeCode::Overlap, other);
    overlap->ClickSwapButton();  // disabled in the rewrite modes
    EXPECT_EQ(overlap->SwapButtonCaption(), "並替");
}

TEST(SwatchAdd, OnlyAnEmptyLeftSwatchAsksForAColour) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickSwapButton();  // 追加
    form->ClickSwatch(1);     // coloured: nothing
    form->ClickSwatch(20);    // right swatch: nothing
    EXPECT_TRUE(form.fake.colourRequests.empty());
    form.fake.colours = {std::nullopt, 0x123456};
    form->ClickSwatch(5);  // cancelled
    EXPECT_EQ(form.Row(5).left, form->Background());
    form->ClickSwatch(5);
    EXPECT_EQ(form.Row(5).left, 0x123456);
    EXPECT_EQ(form.Row(5).right, 0x123456);
    EXPECT_EQ(form.Row(5).rightTip, "R:86 G:52 B:18");
    EXPECT_EQ(form.fake.colourRequests[1].flags, kColourFullOpen);
    EXPECT_TRUE(form.fake.messages.empty());
}

TEST(SwatchAdd, AColourInUseAnywhereIsQuestionedOnce) {
    ScratchFolder folder;
    LoadedForm add(ModeCode::TableCreation, folder);
    add.fake.colours = {kGreen, kGreen, kGreen};
    add->ClickSwatch(1);
    add->ClickSwatch(2);  // green is used: No
    EXPECT_EQ(add.Row(2).left, add->Background());
    ASSERT_EQ(add.fake.messages.size(), 2u);  // after the load step's missing-file message
    const Message& question = add.fake.messages[1];
    EXPECT_EQ(question.text, "同じ色がすでに使われてます。\r\nそれでも使いますか？");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);
    add.fake.answers = {Answer::Yes};
    add->ClickSwatch(3);  // green in rows 1 and 2's swatches: asked once
    EXPECT_EQ(add.Row(3).left, kGreen);
    EXPECT_EQ(add.fake.messages.size(), 3u);
}

TEST(SwatchColourChange, OnlyAColouredRightSwatchChanges) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::ColourChange, folder);
    form.fake.colours = {0x00AA00, 0x00BB00};
    form->ClickSwatch(16 + 10);  // empty right swatch
    form->ClickSwatch(2);        // left swatch
    EXPECT_TRUE(form.fake.colourRequests.empty());
    form->ClickSwatch(16 + 2);
    EXPECT_EQ(form.Row(2).right, 0x00AA00);
    EXPECT_EQ(form.Row(2).rightTip, "R:0 G:170 B:0");
    EXPECT_EQ(form.Row(2).left, kGreen);
    EXPECT_EQ(form.fake.colourRequests[0].flags, kColourFullOpen);
}

TEST(SwatchDelete, ClearsTheRowEmptyOrNot) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickSwapButton();
    form->ClickSwapButton();  // 削除
    form->ClickSwatch(2);
    form->ClickSwatch(9);
    const TableRow& row = form.Row(2);
    EXPECT_EQ(row.left, form->Background());
    EXPECT_EQ(row.right, form->Background());
    EXPECT_EQ(row.leftTip + row.name + row.quantity + row.unit + row.unitEntry, "");
    EXPECT_EQ(form.Row(9).left, form->Background());
    EXPECT_EQ(form.Row(3).quantity, "2.000");
}

TEST(SwatchLayerColour, NamesTheRowWithThePrefixOfChkC) {
    struct Case {
        ModeCode mode;
        bool upper;
        std::uint32_t flags;
        const char* name;
    };
    for (const Case& c : {Case{ModeCode::LayerNames, false, 3, "#c#FF8000"}, Case{ModeCode::LayerNames, true, 3, "#C#FF8000"},
                          Case{ModeCode::LayerNamesExternal, false, 2, "#c#FF8000"}}) {
        ScratchFolder folder;
        LoadedForm form(c.mode, folder);
        form->ClickUpperCase(c.upper);
        form.fake.colours = {RgbColour(255, 128, 0)};
        form->ClickSwatch(4);
        EXPECT_EQ(form.Row(4).name, c.name);
        EXPECT_EQ(form.Row(4).right, RgbColour(255, 128, 0));
        EXPECT_EQ(form.fake.colourRequests.at(0).flags, c.flags);
        EXPECT_EQ(form.fake.colourRequests.at(0).initial, kBlack);
    }
}

TEST(SwatchLayerColour, ExternalModeFollowsTheButtonOnceAdvanced) {
    ScratchFolder folder;
    LoadedForm form(ModeCode::LayerNamesExternal, folder);
    form.fake.colours = {kRed};
    form->ClickSwatch(1);
    form->ClickSwapButton();  // 削除
    form->ClickSwatch(1);
    EXPECT_EQ(form.Row(1).name, "");
    EXPECT_EQ(form.fake.colourRequests.size(), 1u);
    form->ClickSwapButton();  // 並替
    EXPECT_TRUE(form->DropSwatch(2, 3));
}

TEST(RowExchange, EverythingOfTheRowMovesButTheMarks) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::Overlap, folder);
    form->ClickName(1);
    form->NameEditorTextChanged("赤");
    form->NameEditorFocusLost();
    const std::size_t redSolids = form.Row(1).records.sl.size();
    EXPECT_FALSE(form->DropSwatch(1, 33));
    EXPECT_TRUE(form->DropSwatch(1, 16 + 16));  // onto row 16's right swatch
    const Table& table = form->GetTable();
    EXPECT_EQ(form.Row(16).left, kRed);
    EXPECT_EQ(form.Row(16).name, "赤");
    EXPECT_EQ(form.Row(16).quantity, "1.000");
    EXPECT_EQ(form.Row(16).unitEntry, "m^2,1");
    EXPECT_EQ(form.Row(16).records.sl.size(), redSolids);
    EXPECT_EQ(form.Row(16).area, 1.0);
    EXPECT_EQ(form.Row(16).solidCount, 2);
    EXPECT_EQ(table.rowColours[16], kRed);
    EXPECT_EQ(form.Row(16).leftCaption, "↓");
    EXPECT_EQ(form.Row(16).rightCaption, "上");
    EXPECT_EQ(form.Row(1).left, form->Background());
    EXPECT_EQ(form.Row(1).name + form.Row(1).quantity + form.Row(1).unitEntry, "");
    EXPECT_TRUE(form.Row(1).records.Empty());
    EXPECT_FALSE(form.Row(1).area.has_value());
    EXPECT_EQ(form.Row(1).solidCount, 0);
    EXPECT_EQ(form.Row(1).leftCaption, "↑");
}

TEST(RowExchange, RoundingAndUnitsComputeFromTheMovedRowsOwnArea) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    EXPECT_TRUE(form->DropSwatch(2, 18));  // onto its own row: nothing moves
    EXPECT_EQ(form.Row(2).quantity, "1.500");
    EXPECT_TRUE(form->DropSwatch(3, 1));  // 2 m² to row 1, 1 m² to row 3
    EXPECT_TRUE(form->FieldEnabled(PanelField::Keta));
    form->Execute(Command::TableSettings);
    form->PickKeta("1");
    EXPECT_EQ(form.Row(1).quantity, "2.0");
    EXPECT_EQ(form.Row(3).quantity, "1.0");
    form->SetRowUnit(3, "坪,0.3025");
    EXPECT_EQ(form.Row(3).quantity, "0.3");
    EXPECT_EQ(form.Row(1).quantity, "2.0");
}

TEST(RowExchange, RowsCannotBeDraggedWhereTheModeForbidsIt) {
    for (ModeCode mode : {ModeCode::TableCreation, ModeCode::ColourChange, ModeCode::LayerNames}) {
        ScratchFolder folder;
        WriteThreeColours(folder);
        LoadedForm form(mode, folder);
        EXPECT_FALSE(form->DropSwatch(1, 2)) << ToInt(mode);
    }
}

TEST(RowExchange, OpenEditorsDoNotPutStaleTextsBack) {
    ScratchFolder folder;
    WriteThreeColours(folder);
    LoadedForm form(ModeCode::NewArea, folder);
    form->ClickName(1);
    form->NameEditorTextChanged("赤");
    EXPECT_TRUE(form->DropSwatch(1, 2));  // a swatch takes no focus: the editor stays open
    form->NameEditorFocusLost();
    EXPECT_EQ(form.Row(1).name, "");
    EXPECT_EQ(form.Row(2).name, "赤");

    form->ClickUnit(2);
    form->UnitEditorTextChanged("m2,1");
    EXPECT_TRUE(form->DropSwatch(2, 3));
    EXPECT_EQ(form->UnitEditor().text, "m^2,1");  // row 2's new contents
    form->CancelUnitEditor();                     // Esc puts back what came with the row
    EXPECT_EQ(form.Row(2).unitEntry, "m^2,1");
    EXPECT_EQ(form.Row(3).unitEntry, "m2,1");

    form->ClickSwapButton();
    form->ClickSwapButton();  // 削除
    form->ClickName(3);
    form->NameEditorTextChanged("床");
    form->ClickSwatch(3);
    form->NameEditorFocusLost();
    EXPECT_EQ(form.Row(3).name, "");
    EXPECT_EQ(form.Row(3).unitEntry, "");
}

}  // namespace
