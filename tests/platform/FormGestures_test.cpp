// The window's gestures: the floating editors' commits, walk and Esc, and what clicks and
// drops on the swatches ask of the model.
#include "platform/win32/FormGestures.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/FormFixture.h"

namespace {

// Answers every colour dialog with `colour` and records the flags it was shown with.
struct Picker {
    std::optional<SolidColour> colour;
    std::vector<std::uint32_t> flags;
    ColourPicker Get() {
        return [this](std::uint32_t f) {
            flags.push_back(f);
            return colour;
        };
    }
};

constexpr EditorColumn kName = EditorColumn::Name, kUnit = EditorColumn::Unit;

TEST(FormGestures, EditorCommitsAsTypedAndEnterWalksOnFromRowSixteenToOne) {
    LoadedForm form(ModeCode::NewArea);
    FormGestures gestures(form.model);
    const FloatingEditor& editor = gestures.Editor(kName);
    gestures.OpenEditor(kName, 16);
    const int opening = editor.opening;
    gestures.EditorTextChanged(kName, "居室");
    EXPECT_EQ(form.Row(16).name, "居室");
    form->SetRowName(1, "廊下");
    gestures.EditorEnter(kName);
    EXPECT_TRUE(editor.open);
    EXPECT_EQ(editor.row, 1);
    EXPECT_EQ(editor.text, "廊下");
    EXPECT_NE(editor.opening, opening);  // laid anew, its text selected

    gestures.OpenEditor(kUnit, 2);  // the name editor commits and closes
    EXPECT_FALSE(editor.open);
    EXPECT_EQ(gestures.Editor(kUnit).text, form.Row(2).unitEntry);
    gestures.EditorFocusLost(kUnit);
    EXPECT_FALSE(gestures.Editor(kUnit).open);
}

TEST(FormGestures, EscPutsBackTheNameOrTheUnitEntryAndQuantityAsTheEditorFoundThem) {
    LoadedForm form(ModeCode::NewArea);
    FormGestures gestures(form.model);
    form->SetRowName(2, "廊下");
    gestures.OpenEditor(kName, 2);
    gestures.EditorTextChanged(kName, "倉庫");
    gestures.CancelEditor(kName);
    EXPECT_EQ(form.Row(2).name, "廊下");
    EXPECT_FALSE(gestures.Editor(kName).open);

    form->SetQuantity(2, "12");  // typed over the measured 1.500
    const std::string entry = form.Row(2).unitEntry;
    gestures.OpenEditor(kUnit, 2);
    gestures.EditorTextChanged(kUnit, "坪,0.3025");
    EXPECT_EQ(form.Row(2).quantity, "0.454");
    gestures.CancelEditor(kUnit);
    EXPECT_EQ(form.Row(2).unitEntry, entry);
    EXPECT_EQ(form.Row(2).quantity, "12");
}

TEST(FormGestures, AnOpenEditorTakesOverWhatADropPutsIntoItsRow) {
    LoadedForm form(ModeCode::NewArea);
    FormGestures gestures(form.model);
    form->SetRowName(3, "倉庫");
    gestures.OpenEditor(kName, 1);
    gestures.EditorTextChanged(kName, "居室");
    gestures.DropSwatch(3, 17);  // row 3's swatch on row 1's right swatch
    EXPECT_EQ(form.Row(1).colour, kBlue);
    EXPECT_EQ(gestures.Editor(kName).text, "倉庫");
    gestures.CancelEditor(kName);  // puts back the row's new name, not the typed one
    EXPECT_EQ(form.Row(1).name, "倉庫");
    EXPECT_EQ(form.Row(3).name, "居室");
}

TEST(FormGestures, LayerSwatchesAskForAColourByTheModeAndTheSwatchState) {
    Picker picker{0x123456, {}};
    LoadedForm layers(ModeCode::LayerNames, Nothing);
    FormGestures always(layers.model);
    always.ClickSwatch(3, picker.Get());
    always.ClickSwatch(19, picker.Get());  // a right swatch asks for nothing
    EXPECT_EQ(layers.Row(3).name, "#c#563412");
    EXPECT_EQ(picker.flags, std::vector<std::uint32_t>{kColourRgbInit | kColourFullOpen});

    LoadedForm external(ModeCode::LayerNamesExternal, Nothing);
    FormGestures adding(external.model);
    adding.ClickSwatch(1, picker.Get());
    EXPECT_EQ(picker.flags.back(), kColourFullOpen);
    adding.ClickSwatchButton();  // 削除
    adding.ClickSwatch(1, picker.Get());
    EXPECT_EQ(picker.flags.size(), 2u);
    EXPECT_EQ(external.Row(1).name, "");
    EXPECT_EQ(external.Row(1).colour, external->Background());
    adding.ClickSwatchButton();  // 並替
    EXPECT_TRUE(adding.LeftSwatchesDraggable());
}

TEST(FormGestures, AddTakesEmptyRowsAndTheColourChangeTakesColouredRightSwatches) {
    Picker picker{0x123456, {}};
    LoadedForm table(ModeCode::TableCreation, Nothing);
    FormGestures adding(table.model);
    adding.ClickSwatch(4, picker.Get());
    EXPECT_EQ(table.Row(4).colour, 0x123456);
    adding.ClickSwatch(4, picker.Get());  // coloured now: no dialog
    picker.colour.reset();
    adding.ClickSwatch(5, picker.Get());  // cancelled
    EXPECT_EQ(table.Row(5).colour, table->Background());
    EXPECT_EQ(picker.flags, (std::vector<std::uint32_t>{kColourFullOpen, kColourFullOpen}));

    picker = Picker{0x00AA00, {}};
    LoadedForm recolour(ModeCode::ColourChange);
    FormGestures change(recolour.model);
    change.ClickSwatch(18, picker.Get());
    change.ClickSwatch(20, picker.Get());  // an empty row's
    change.ClickSwatch(2, picker.Get());   // a left swatch
    change.ClickSwatchButton();            // disabled in this mode
    change.DropSwatch(1, 2);               // rows do not move here
    EXPECT_EQ(recolour.Row(2).newColour, 0x00AA00);
    EXPECT_EQ(recolour.Row(1).colour, kRed);
    EXPECT_EQ(picker.flags.size(), 1u);
    EXPECT_EQ(change.SwatchState(), SwatchMode::Reorder);
}

}  // namespace
