// The window's gestures: the floating editors' commits, walk and Esc, and what clicks and
// drops on the swatches ask of the model.
#include "platform/win32/FormGestures.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/FormScript.h"

namespace {

// A model of the mode over a fresh program folder holding the three-colour drawing, or nothing.
struct LoadedForm : form_script::Session {
    static inline int count = 100;
    explicit LoadedForm(ModeCode mode, bool threeColours = true) : Session(++count) {
        if (threeColours) {
            EXPECT_TRUE(file::WriteAtomic(folder.File("TEMP.TXT"),
                                          file::Read(VEMORA_TEST_DATA "/output/form/three-colours.TEMP.TXT").value_or("")));
        }
        Load(RecordOf(mode));
    }
    FormModel* operator->() { return model.get(); }
    const TableRow& Row(int i) const { return model->GetTable().Row(i); }
};

constexpr EditorColumn kName = EditorColumn::Name, kUnit = EditorColumn::Unit;

// Answers every colour dialog with `colour`, adding the flags it was shown with to `asked`.
ColourPicker Answering(std::optional<SolidColour> colour, std::vector<std::uint32_t>& asked) {
    return [colour, &asked](std::uint32_t flags) {
        asked.push_back(flags);
        return colour;
    };
}

TEST(FormGestures, EditorsCommitAsTypedWalkOnWithEnterPutTheRowBackWithEscAndFollowADrop) {
    LoadedForm form(ModeCode::NewArea);
    FormGestures gestures(*form.model);
    const FloatingEditor& name = gestures.Editor(kName);
    form->SetRowName(1, "廊下");
    gestures.OpenEditor(kName, 16);
    const int opening = name.opening;
    gestures.EditorTextChanged(kName, "居室");
    EXPECT_EQ(form.Row(16).name, "居室");
    gestures.EditorEnter(kName);  // laid anew over row 1, its text selected
    EXPECT_TRUE(name.open && name.row == 1 && name.text == "廊下" && name.opening != opening);

    form->SetQuantity(2, "12");  // typed over the measured 1.500
    const std::string entry = form.Row(2).unitEntry;
    gestures.OpenEditor(kUnit, 2);  // the name editor closes
    gestures.EditorTextChanged(kUnit, "坪,0.3025");
    EXPECT_TRUE(!name.open && form.Row(2).quantity == "0.454");
    gestures.CancelEditor(kUnit);
    EXPECT_TRUE(form.Row(2).unitEntry == entry && form.Row(2).quantity == "12" && !gestures.Editor(kUnit).open);

    form->SetRowName(3, "倉庫");
    gestures.OpenEditor(kName, 1);
    gestures.EditorTextChanged(kName, "居室");
    gestures.DropSwatch(3, 17);  // row 3's swatch on row 1's right swatch: the editor shows the row's new name
    EXPECT_TRUE(form.Row(1).colour == kBlue && name.text == "倉庫");
    gestures.CancelEditor(kName);  // puts back that name, not the typed one
    EXPECT_TRUE(form.Row(1).name == "倉庫" && form.Row(3).name == "居室");
}

// A left swatch asks for a layer colour in the external layer-name mode's add state and for a
// new row's colour where the add state takes empty rows; the colour change asks on the right
// swatches of coloured rows.
TEST(FormGestures, SwatchClicksAskForAColourWhereTheModeAndTheSwatchStateTakeOne) {
    std::vector<std::uint32_t> asked;
    LoadedForm external(ModeCode::LayerNamesExternal, false);
    FormGestures adding(*external.model);
    adding.ClickSwatch(1, Answering(0x123456, asked));
    adding.ClickSwatch(17, Answering(0x123456, asked));  // a right swatch
    adding.ClickSwatchButton();                          // 削除
    adding.ClickSwatch(1, Answering(0x123456, asked));
    EXPECT_EQ(external.Row(1).colour, external->Background());

    LoadedForm table(ModeCode::TableCreation, false);
    FormGestures creating(*table.model);
    creating.ClickSwatch(4, Answering(0x123456, asked));
    creating.ClickSwatch(4, Answering(0x123456, asked));  // coloured now
    creating.ClickSwatch(5, Answering(std::nullopt, asked));
    EXPECT_EQ(table.Row(4).colour, 0x123456);
    EXPECT_EQ(table.Row(5).colour, table->Background());

    LoadedForm recolour(ModeCode::ColourChange);
    FormGestures change(*recolour.model);
    for (int swatch : {18, 20, 2}) change.ClickSwatch(swatch, Answering(0x00AA00, asked));  // coloured, empty, left
    change.ClickSwatchButton();  // disabled in this mode
    change.DropSwatch(1, 2);     // rows do not move here
    EXPECT_EQ(recolour.Row(2).newColour, 0x00AA00);
    EXPECT_EQ(recolour.Row(1).colour, kRed);
    EXPECT_EQ(change.SwatchState(), SwatchMode::Reorder);
    EXPECT_EQ(asked, std::vector<std::uint32_t>(4, kColourFullOpen));
}

}  // namespace
