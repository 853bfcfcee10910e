// The form as the load step prepares it for each mode.
#include "ui/FormLayout.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

struct ModeCase {
    ModeCode mode;
    const char* caption;
    const char* swapCaption;
    bool swapVisible, swapEnabled;
    const char* hint;
    bool draggable;
    const char* swatch1;  // caption of Lblpic(1); Lblpic(11) below
    const char* swatch11;
    bool copyVisible, copyEnabled;
    bool openTable, saveTable, topMenus;
};

const ModeCase kModes[] = {
    {ModeCode::TableCreation, "Vemora【表作成モード】", "追加", true, true, "↑ここをクリックしてください", false, "", "",
     true, true, true, true, true},
    {ModeCode::NewArea, "Vemora【新規表-面積測定モード】", "並替", true, true, "↑ここをドラッグしてください", true, "", "",
     true, true, false, true, true},
    {ModeCode::PreviousArea, "Vemora【前回表使用-面積測定モード】", "並替", true, true, "↑ここをドラッグしてください", true,
     "", "", true, true, false, true, true},
    {ModeCode::ColourChange, "Vemora【色変更モード】", "並替", true, false, "", false, "→", "→", true, false, false, false,
     true},
    {ModeCode::LayerDistribution, "Vemora【レイヤ振分けモード】", "並替", true, false, "↑ここをドラッグしてください", true,
     "0", "A", true, false, false, false, true},
    {ModeCode::Overlap, "Vemora【重なり変更モード-正順描画】", "並替", true, false, "↑ここをドラッグしてください", true, "↑",
     "", true, false, false, false, true},
    {ModeCode::LayerNames, "【レイヤ名設定モード】", "追加", false, true, "↑ここをクリックしてください", false, "0", "A",
     false, true, false, false, false},
    {ModeCode::LayerNamesExternal, "【レイヤ名設定モード】外変", "追加", true, true, "↑ここをクリックしてください", false,
     "0", "A", false, true, false, false, false},
};

TEST(FormLayout, EveryModeIsPreparedAsItsTableSays) {
    for (const ModeCase& c : kModes) {
        SCOPED_TRACE(ToInt(c.mode));
        ScratchFolder folder;
        WriteThreeColours(folder);
        LoadedForm form(c.mode, folder);
        const FormLayout& layout = form->Layout();
        EXPECT_EQ(layout.caption, c.caption);
        EXPECT_EQ(form->SwapButtonCaption(), c.swapCaption);
        EXPECT_EQ(layout.swapButtonVisible, c.swapVisible);
        EXPECT_EQ(layout.swapButtonEnabled, c.swapEnabled);
        EXPECT_EQ(form->Hint(), c.hint);
        EXPECT_EQ(form->LeftSwatchesDraggable(), c.draggable);
        EXPECT_EQ(form.Row(1).leftCaption, c.swatch1);
        EXPECT_EQ(form.Row(11).leftCaption, c.swatch11);
        EXPECT_EQ(layout.copyButtonVisible, c.copyVisible);
        EXPECT_EQ(layout.copyButtonEnabled, c.copyEnabled);
        EXPECT_EQ(form->StateOf(Command::OpenTable).enabled, c.openTable);
        EXPECT_EQ(form->StateOf(Command::SaveTable).enabled, c.saveTable);
        EXPECT_EQ(form->StateOf(Command::FileMenu).enabled, c.topMenus);
        EXPECT_EQ(form->StateOf(Command::EditMenu).enabled, c.topMenus);
        EXPECT_EQ(form->StateOf(Command::OptionMenu).enabled, c.topMenus);

        const bool layerNames = IsLayerNameMode(c.mode);
        EXPECT_EQ(layout.formWidth, layerNames ? 3300 : 5900);
        EXPECT_EQ(layout.formHeight, 7500);
        EXPECT_EQ(layout.okButton, layerNames ? std::optional<TwipsRect>(TwipsRect{2450, 6135, 700, 400}) : std::nullopt);
        EXPECT_EQ(layout.nameHeading, layerNames ? "レイヤ名" : "項　目　名");
        EXPECT_EQ(layout.swatchHeading, layerNames ? "ﾍﾟｲﾝﾄ色" : "Solid");
        EXPECT_EQ(layout.titleLabel, layerNames ? "グループ:" : "タイトル：");
        EXPECT_EQ(layout.titleBoxWidth, layerNames ? std::optional<int>(1200) : std::nullopt);
        EXPECT_EQ(layout.quantityHeadingVisible, !layerNames);
        EXPECT_EQ(layout.upperCaseBoxVisible, layerNames);
        // The title box starts with the (empty) title of the file in every mode.
        EXPECT_EQ(form->Title(), "");
        // Right swatches carry marks only in the overlap mode.
        EXPECT_EQ(form.Row(1).rightCaption, c.mode == ModeCode::Overlap ? "下" : "");
    }
}

TEST(FormLayout, OverlapMarksFollowJwCadsDrawingOrder) {
    for (int reverse : {0, 1}) {
        ScratchFolder folder;
        LoadedForm form(ModeCode::Overlap, folder, TestRegistry("ffffff", reverse));
        EXPECT_EQ(form->Layout().caption, reverse ? "Vemora【重なり変更モード-逆順描画】" : "Vemora【重なり変更モード-正順描画】");
        EXPECT_EQ(form.Row(1).leftCaption, "↑");
        EXPECT_EQ(form.Row(16).leftCaption, "↓");
        EXPECT_EQ(form.Row(1).rightCaption, reverse ? "上" : "下");
        EXPECT_EQ(form.Row(16).rightCaption, reverse ? "下" : "上");
    }
}

TEST(FormLayout, SwatchesStartEmptyWithWhiteTextOnlyOnADarkBackground) {
    for (auto [background, white] : {std::pair{"0", true}, std::pair{"767676", true}, std::pair{"777777", false},
                                      std::pair{"ffffff", false}}) {
        ScratchFolder folder;
        LoadedForm form(ModeCode::LayerNames, folder, TestRegistry(background));
        EXPECT_EQ(form->SwatchTextWhite(), white) << background;
        EXPECT_EQ(form.Row(16).left, form->Background());
        EXPECT_EQ(form.Row(16).right, form->Background());
        EXPECT_EQ(form.Row(16).leftTip, "");
    }
}

}  // namespace
