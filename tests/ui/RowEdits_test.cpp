// What the form's rows take: names, units and quantities, colours added, changed and
// deleted, and the exchange of two rows.
#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

TEST(RowEdits, UnitEntrySetsTheFactorAndConvertsOnlyAMeasuredQuantity) {
    const std::pair<const char*, const char*> cases[] = {  // the quantity of 1.5 m² at three decimals
        {"坪,0.3025,x", "0.454"}, {"m2", "1.500"},       {",3", "4.500"},
        {"m2,0", "1.500"},        {"a, 0.01 ", "0.015"}, {"", "1.500"}};
    LoadedForm form(ModeCode::NewArea);
    for (auto [entry, quantity] : cases) {
        form->SetRowUnit(2, entry);
        EXPECT_EQ(form.Row(2).unitEntry, entry);
        EXPECT_EQ(form.Row(2).quantity, quantity) << entry;
    }
    form->SetQuantity(5, "12");  // typed into a row without area: kept
    form->SetRowUnit(5, "坪,0.3025");
    form->SetRowName(5, "居室");
    EXPECT_EQ(form.Row(5).quantity + form.Row(5).unitEntry + form.Row(5).name, "12坪,0.3025居室");

    LoadedForm layers(ModeCode::LayerNamesExternal, Nothing);  // no unit column
    layers->SetRowUnit(1, "坪,0.3025");
    EXPECT_EQ(layers.Row(1).unitEntry, "");
}

TEST(RowEdits, AddTakesOnlyEmptyRowsAndAsksOnceAboutAColourInUse) {
    LoadedForm form(ModeCode::NewArea);
    EXPECT_FALSE(form->AddRow(1, 0x123456));  // coloured already
    EXPECT_TRUE(form->AddRow(5, 0x123456));
    EXPECT_EQ(form.Row(5).colour, 0x123456);
    EXPECT_EQ(form.Row(5).newColour, 0x123456);
    EXPECT_TRUE(form.fake.messages.empty());

    EXPECT_FALSE(form->AddRow(6, kGreen));  // green is row 2's: declined
    EXPECT_EQ(form.Row(6).colour, form->Background());
    ASSERT_EQ(form.fake.messages.size(), 1u);
    const Message& question = form.fake.messages[0];
    EXPECT_EQ(question.text, "同じ色がすでに使われてます。\r\nそれでも使いますか？");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);
    form.fake.answers = {Answer::Yes, Answer::Yes};
    EXPECT_TRUE(form->AddRow(6, kGreen));
    EXPECT_TRUE(form->AddRow(7, kGreen));  // green in rows 2 and 6: asked once
    EXPECT_EQ(form.Row(7).colour, kGreen);
    EXPECT_EQ(form.fake.messages.size(), 3u);
}

TEST(RowEdits, DeleteEmptiesTheRowAndNoOther) {
    LoadedForm form(ModeCode::NewArea);
    form->SetRowName(2, "廊下");
    EXPECT_TRUE(form->DeleteRow(2));
    EXPECT_TRUE(form->DeleteRow(9));
    const TableRow& row = form.Row(2);
    EXPECT_EQ(row.colour, form->Background());
    EXPECT_EQ(row.newColour, form->Background());
    EXPECT_EQ(row.name + row.quantity + row.unitEntry, "");
    EXPECT_FALSE(row.area.has_value());  // a row added here later starts without area
    EXPECT_FALSE(row.records.Empty());   // its solids stay in the drawing
    EXPECT_EQ(form.Row(3).quantity, "2.000");
    EXPECT_EQ(form.Row(3).colour, kBlue);

    // Rows are added and deleted only where the swatch-mode button can be used.
    LoadedForm rewrite(ModeCode::LayerDistribution);
    EXPECT_FALSE(rewrite->DeleteRow(1));
    EXPECT_FALSE(rewrite->AddRow(9, kGreen));
    EXPECT_EQ(rewrite.Row(1).colour, kRed);
}

TEST(RowEdits, ColourChangeRecoloursOnlyColouredRows) {
    LoadedForm form(ModeCode::ColourChange);
    EXPECT_FALSE(form->RecolourRow(10, 0x00AA00));
    EXPECT_TRUE(form->RecolourRow(2, 0x00AA00));
    EXPECT_EQ(form.Row(2).newColour, 0x00AA00);
    EXPECT_EQ(form.Row(2).colour, kGreen);

    LoadedForm area(ModeCode::NewArea);
    EXPECT_FALSE(area->RecolourRow(2, 0x00AA00));
    EXPECT_EQ(area.Row(2).newColour, kGreen);
}

TEST(RowEdits, LayerColourNamesTheRowWithTheCaseOfTheBox) {
    struct Case { ModeCode mode; bool upper; const char* name; };  // name empty: not taken
    for (const Case& c : {Case{ModeCode::LayerNames, false, "#c#FF8000"}, Case{ModeCode::LayerNames, true, "#C#FF8000"},
                          Case{ModeCode::LayerNamesExternal, false, "#c#FF8000"}, Case{ModeCode::NewArea, true, ""}}) {
        LoadedForm form(c.mode, Nothing);
        form->SetUpperCaseColourNames(c.upper);
        EXPECT_EQ(form->SetLayerColour(4, RgbColour(255, 128, 0)), *c.name != '\0');
        EXPECT_EQ(form.Row(4).name, c.name);
        EXPECT_EQ(form.Row(4).colour, *c.name ? RgbColour(255, 128, 0) : form->Background());
    }
}

TEST(RowEdits, UpperCaseBoxConvertsEveryNameBothWays) {
    LoadedForm form(ModeCode::LayerNames, Nothing);
    form->SetRowName(1, "#c#ff0000");
    form->SetRowName(2, "壁a");
    form->SetUpperCaseColourNames(true);
    EXPECT_EQ(form.Row(1).name + form.Row(2).name, "#C#FF0000壁A");
    EXPECT_EQ(form->Settings().upperCaseColourNames, 1);
    form->SetUpperCaseColourNames(false);
    EXPECT_EQ(form.Row(1).name, "#c#ff0000");

    LoadedForm area(ModeCode::NewArea, Nothing);  // the box is not shown there
    area->SetRowName(1, "a");
    area->SetUpperCaseColourNames(true);
    EXPECT_EQ(area->Settings().upperCaseColourNames, 0);
    EXPECT_EQ(area.Row(1).name, "a");
}

// Everything a row holds, to compare rows before and after an exchange.
std::string Contents(const TableRow& row) {
    const RowRecords& r = row.records;
    std::string text = std::to_string(row.colour) + " " + std::to_string(row.newColour) + " " + row.name + " " +
                       row.quantity + " " + row.unitEntry + " " + std::to_string(row.factor) + " " +
                       std::to_string(row.area.value_or(-1)) + " " + std::to_string(row.solidCount);
    for (const std::vector<LineRef>* list : {&r.sl4, &r.sl, &r.sc, &r.se, &r.so, &r.sg})
        for (LineRef ref : *list) text += " " + std::to_string(ref.offset) + "+" + std::to_string(ref.length);
    return text;
}

TEST(RowExchange, EverythingOfTheRowMovesButTheMarks) {
    LoadedForm form(ModeCode::Overlap);
    form->SetRowName(1, "赤");
    form->SetRowUnit(1, "坪,0.3025");
    const std::string first = Contents(form.Row(1)), last = Contents(form.Row(16));
    EXPECT_FALSE(form->SwapRows(1, 17));
    EXPECT_TRUE(form->SwapRows(1, 16));
    EXPECT_EQ(Contents(form.Row(16)), first);
    EXPECT_EQ(Contents(form.Row(1)), last);
    EXPECT_EQ(form.Row(16).records.sl.size(), 2u);
    EXPECT_EQ(form->SwatchMark(1, false), "↑");
    EXPECT_EQ(form->SwatchMark(16, false), "↓");
}

TEST(RowExchange, RoundingAndUnitsComputeFromTheMovedRowsOwnArea) {
    LoadedForm form(ModeCode::NewArea);
    EXPECT_TRUE(form->SwapRows(2, 2));  // onto its own row: nothing moves
    EXPECT_EQ(form.Row(2).quantity, "1.500");
    EXPECT_TRUE(form->SwapRows(3, 1));  // 2 m² to row 1, 1 m² to row 3
    form->SetRounding("1");
    EXPECT_EQ(form.Row(1).quantity + " " + form.Row(3).quantity, "2.0 1.0");
    form->SetRowUnit(3, "坪,0.3025");
    EXPECT_EQ(form.Row(1).quantity + " " + form.Row(3).quantity, "2.0 0.3");

    for (ModeCode fixed : {ModeCode::ColourChange, ModeCode::LayerNames}) {  // their rows keep their places
        LoadedForm other(fixed);
        EXPECT_FALSE(other->SwapRows(1, 2));
    }
}

}  // namespace
