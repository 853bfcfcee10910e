// The settings the form takes: texts, ruled-line groups, copy layout, rounding, lists.
#include "ui/SettingsPanel.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

TEST(SettingsPanel, RuledLineSwitchEnablesItsThreeFieldsAndKeepsTheirTexts) {
    LoadedForm form(ModeCode::NewArea, OneFile("Vemora.INI", {"[Grid]", "Sotowaku=0", "Soto_lc=lc12"}));
    using enum PanelField;
    const PanelField groups[3][3] = {{OuterFrameLineType, OuterFrameColour, OuterFrameLayer},
                                     {VerticalLineType, VerticalLineColour, VerticalLineLayer},
                                     {HorizontalLineType, HorizontalLineColour, HorizontalLineLayer}};
    auto enabled = [&] {
        std::string out;
        for (const auto& group : groups)
            for (PanelField field : group) out += form->FieldEnabled(field) ? "1" : "0";
        return out;
    };
    EXPECT_EQ(enabled(), "000111111");
    form->SetSetting(OuterFrameColour, "lc3");  // disabled: ignored
    form->SetSetting(SampleWidth, "30");
    form->SetRuledLines(0, true);
    form->SetRuledLines(2, false);
    EXPECT_EQ(enabled(), "111111000");
    EXPECT_EQ(form->Settings().outerFrameColour, "lc12");
    EXPECT_EQ(form->Settings().horizontalLineColour, "lc2");
    EXPECT_EQ(form->Settings().sampleWidth, "30");
    EXPECT_EQ(form.folder.Read("Vemora.INI"), "[Grid]\r\nSotowaku=0\r\nSoto_lc=lc12\r\n");  // only OK writes
}

TEST(SettingsPanel, ListsOfferTheirEntries) {
    LoadedForm form(ModeCode::NewArea, OneFile("vemora.lst", {"[items]", "居室", "[tani]", "m^2,1", "坪,0.3025"}));
    auto joined = [&](PanelField f) {
        std::string out;
        for (const std::string& e : form->ListEntries(f)) out += e + " ";
        return out;
    };
    EXPECT_EQ(joined(PanelField::Rounding), "4 3 2 1 0 -1 -2 -3 -4 -5 -6 ");
    EXPECT_EQ(joined(PanelField::DefaultUnit), "m^2,1 坪,0.3025 ");
    EXPECT_EQ(joined(PanelField::VerticalLineColour), "lc1 lc2 lc3 lc4 lc5 lc6 lc7 lc8 lc9 ");
    EXPECT_EQ(joined(PanelField::HorizontalLineType), "lt1 lt2 lt3 lt4 lt5 lt6 lt7 lt8 lt9 ");
    EXPECT_EQ(form->ListEntries(PanelField::TextType).back(), "cn10");
    EXPECT_EQ(form->ListEntries(PanelField::SampleLayer).back(), "lyf");
    EXPECT_EQ(form->ListEntries(PanelField::TextLayer).size(), 16u);
    EXPECT_TRUE(form->ListEntries(PanelField::GapHeight).empty());
    EXPECT_EQ(form->Lists().items.at(0), "居室");
}

TEST(SettingsPanel, CopyLayoutTakesCardOrListOnly) {
    LoadedForm form(ModeCode::NewArea, OneFile("Vemora.INI", {"[kihon]", "tensoType=7"}));
    EXPECT_EQ(form->CopyLayout(), std::nullopt);
    form->SetCopyLayout(1);
    form->SetCopyLayout(2);
    EXPECT_EQ(form->CopyLayout(), 1);
}

TEST(SettingsPanel, RoundingRecomputesNumbersOnly) {
    // Row 2's solid has too few corners to measure.
    LoadedForm form(ModeCode::NewArea, OneFile("TEMP.TXT", {"hq", "lc1", "sl 0 0 49380 0 0 50000", "lc3", "sl 0 0 1"}));
    EXPECT_EQ(form.Row(1).quantity, "1,234.500");
    EXPECT_EQ(form.Row(2).quantity, "-");
    form->SetSetting(PanelField::Rounding, "0");  // typed: nothing recomputed
    EXPECT_EQ(form.Row(1).quantity, "1,234.500");
    form->SetRounding("-1");
    EXPECT_EQ(form.Row(1).quantity, "1,230");
    form->SetRounding("4");
    EXPECT_EQ(form.Row(1).quantity, "1,234.5000");
    EXPECT_EQ(form.Row(2).quantity, "-");
    EXPECT_EQ(form->Settings().rounding, "4");
}

// The layer-name modes have no settings menu: nothing of the table's settings changes there.
TEST(SettingsPanel, LayerNameModesTakeNoSettings) {
    LoadedForm form(ModeCode::LayerNamesExternal);
    const TableSettings before = form->Settings();
    const std::optional<int> alignment = form->NameAlignment();
    form->SetRounding("1");
    form->SetSetting(PanelField::SampleWidth, "30");
    form->SetRuledLines(0, false);
    form->SetCopyLayout(1);
    form->SetNameAlignment(2);
    EXPECT_EQ(form->Settings(), before);
    EXPECT_EQ(form->NameAlignment(), alignment);
}

}  // namespace
