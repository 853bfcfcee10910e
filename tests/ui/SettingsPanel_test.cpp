// The settings panel: opening and closing, ruled-line groups, copy layout, rounding, case.
#include "ui/SettingsPanel.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

TEST(SettingsPanel, OpeningDisablesTheEditMenuAndControlsWorkOnlyWhileShown) {
    ScratchFolder folder;
    LoadedForm form(ModeCode::NewArea, folder);
    form->SetFieldText(PanelField::Solid_W, "30");
    EXPECT_EQ(form->Settings().Solid_W, "20");
    form->Execute(Command::TableSettings);
    EXPECT_TRUE(form->PanelVisible());
    EXPECT_FALSE(form->StateOf(Command::AlignLeft).enabled);
    form->SetFieldText(PanelField::Solid_W, "30");
    form->ClosePanel();
    EXPECT_TRUE(form->StateOf(Command::EditMenu).enabled);
    EXPECT_EQ(form->Settings().Solid_W, "30");
    EXPECT_FALSE(file::Exists(folder.File("Vemora.INI")));  // only OK and table files write
}

TEST(SettingsPanel, RuledLineBoxEnablesItsThreeCombosAndKeepsTheirTexts) {
    ScratchFolder folder;
    folder.Write("Vemora.INI", {"[Grid]", "Sotowaku=0", "Soto_lc=lc12"});
    LoadedForm form(ModeCode::NewArea, folder);
    for (PanelField f : {PanelField::Soto_lt, PanelField::Soto_lc, PanelField::Soto_ly})
        EXPECT_FALSE(form->FieldEnabled(f));
    EXPECT_TRUE(form->FieldEnabled(PanelField::Tate_lc));
    EXPECT_EQ(FieldText(form->Settings(), PanelField::Soto_lc), "lc12");
    form->Execute(Command::TableSettings);
    form->SetFieldText(PanelField::Soto_lc, "lc3");  // disabled: ignored
    form->ClickRuledLine(0, true);
    form->ClickRuledLine(2, false);
    EXPECT_TRUE(form->FieldEnabled(PanelField::Soto_ly));
    for (PanelField f : {PanelField::Yoko_lt, PanelField::Yoko_lc, PanelField::Yoko_ly})
        EXPECT_FALSE(form->FieldEnabled(f));
    EXPECT_EQ(form->Settings().Yokosen, 0);
    EXPECT_EQ(form->Settings().Soto_lc, "lc12");
    EXPECT_EQ(form->Settings().Yoko_lc, "lc2");
}

TEST(SettingsPanel, ListsOfferTheirEntries) {
    ScratchFolder folder;
    folder.Write("vemora.lst", {"[items]", "居室", "[tani]", "m^2,1", "坪,0.3025"});
    LoadedForm form(ModeCode::NewArea, folder);
    auto joined = [&](PanelField f) {
        std::string out;
        for (const std::string& e : form->ListEntries(f)) out += e + " ";
        return out;
    };
    EXPECT_EQ(joined(PanelField::Keta), "4 3 2 1 0 -1 -2 -3 -4 -5 -6 ");
    EXPECT_EQ(joined(PanelField::Tani), "m^2,1 坪,0.3025 ");
    EXPECT_EQ(joined(PanelField::Tate_lc), "lc1 lc2 lc3 lc4 lc5 lc6 lc7 lc8 lc9 ");
    EXPECT_EQ(joined(PanelField::Yoko_lt), "lt1 lt2 lt3 lt4 lt5 lt6 lt7 lt8 lt9 ");
    EXPECT_EQ(form->ListEntries(PanelField::Mojishu).back(), "cn10");
    EXPECT_EQ(form->ListEntries(PanelField::cmbSolidLay).back(), "lyf");
    EXPECT_EQ(form->ListEntries(PanelField::Moji_ly).size(), 16u);
    EXPECT_TRUE(form->ListEntries(PanelField::Sukima_H).empty());
    EXPECT_EQ(form->Lists().items.at(0), "居室");
}

TEST(SettingsPanel, CopyLayoutOptionSetsTensoType) {
    ScratchFolder folder;
    folder.Write("Vemora.INI", {"[kihon]", "tensoType=7"});
    LoadedForm form(ModeCode::NewArea, folder);
    EXPECT_EQ(form->CopyLayout(), std::nullopt);
    form->Execute(Command::TableSettings);
    form->ClickCopyLayout(1);
    EXPECT_EQ(form->Settings().tensoType, 1);
    EXPECT_EQ(form->CopyLayout(), 1);
}

TEST(SettingsPanel, PickingRoundingRecomputesNumbersOnly) {
    ScratchFolder folder;
    folder.Write("TEMP.TXT", {"hq", "lc1", "sl 0 0 49380 0 0 50000", "lc3", "sl 0 0 1000 0"});
    LoadedForm form(ModeCode::NewArea, folder);
    EXPECT_EQ(form.Row(1).quantity, "1,234.500");
    EXPECT_EQ(form.Row(2).quantity, "-");
    form->Execute(Command::TableSettings);
    form->SetFieldText(PanelField::Keta, "0");  // typed: nothing recomputed
    EXPECT_EQ(form.Row(1).quantity, "1,234.500");
    form->PickKeta("-1");
    EXPECT_EQ(form.Row(1).quantity, "1,230");
    form->PickKeta("4");
    EXPECT_EQ(form.Row(1).quantity, "1,234.5000");
    EXPECT_EQ(form.Row(2).quantity, "-");
    EXPECT_EQ(form->Settings().Keta, "4");
}

TEST(SettingsPanel, UpperCaseBoxConvertsEveryNameBothWays) {
    ScratchFolder folder;
    LoadedForm form(ModeCode::LayerNames, folder);
    form->ClickName(1);
    form->NameEditorTextChanged("#c#ff0000");
    form->ClickName(2);
    form->NameEditorTextChanged("壁a");
    form->NameEditorFocusLost();
    form->ClickUpperCase(true);
    EXPECT_EQ(form.Row(1).name, "#C#FF0000");
    EXPECT_EQ(form.Row(2).name, "壁A");
    EXPECT_EQ(form->Settings().chkC, 1);
    form->ClickUpperCase(false);
    EXPECT_EQ(form.Row(1).name, "#c#ff0000");

    ScratchFolder other("other");
    LoadedForm area(ModeCode::NewArea, other);  // the box is not shown there
    area->ClickUpperCase(true);
    EXPECT_EQ(area->Settings().chkC, 0);
}

}  // namespace
