// The clipboard text of the copy-and-OK command and the command itself.
#include "ui/ClipboardText.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

namespace {

// Rows A (1.5, stored unit u) and B (2, stored unit v), as a loaded previous table gives them.
Table TwoRows() {
    Table table;
    table.Row(1) = {kRed, kRed, "", "", "", "", "A", "1.5", "m2", "m2,1", 1.0, {}, 0, {}};
    table.Row(2) = {kGreen, kGreen, "", "", "", "", "B", "2", "m2", "m2,1", 1.0, {}, 0, {}};
    table.rowUnits[1] = "u";
    table.rowUnits[2] = "v";
    table.nextRow = 3;
    return table;
}

TEST(ClipboardText, LayoutsByModeWithCrLfAfterEveryLine) {
    struct Case {
        ModeCode mode;
        int layout;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {ModeCode::PreviousArea, 0, "T", "T\r\nA\t1.5\tu\r\nB\t2\tv\r\n"},
        {ModeCode::NewArea, 1, "T", "項目名\tA\tB\r\n単　位\tu\tv\r\nT\t1.5\t2\r\n"},
        {ModeCode::PreviousArea, 1, "T", "T\t1.5\t2\r\n"},
        {ModeCode::TableCreation, 1, "", "\t1.5\t2\r\n"},
        {ModeCode::TableCreation, 0, "", "\r\nA\t1.5\tu\r\nB\t2\tv\r\n"},
        {ModeCode::NewArea, 2, "T", ""},
    };
    Table table = TwoRows();
    for (const Case& c : cases) EXPECT_EQ(ClipboardText(table, kBlack, c.title, c.mode, c.layout), c.text) << c.layout;
}

TEST(ClipboardText, RowsUpToNextRowAndRowsAddedByHandAfterIt) {
    EXPECT_EQ(ClipboardText(Table{}, kBlack, "T", ModeCode::NewArea, 1), "項目名\r\n単　位\r\nT\r\n");
    Table table = TwoRows();
    table.Row(1).name = table.Row(2).name = "";
    table.Row(1).left = kBlack;
    table.Row(4).name = "C";  // added after the stored rows: copied, with the gaps before it
    EXPECT_EQ(CopiedRowCount(table, kBlack), 4);
    EXPECT_EQ(ClipboardText(table, kBlack, "T", ModeCode::TableCreation, 0),
              "T\r\n\t1.5\tu\r\n\t2\tv\r\n\t\t\r\nC\t\t\r\n");
}

TEST(CopyAndOk, CopiesThenRunsOkAndAFailedCopyStopsIt) {
    for (bool works : {true, false}) {
        ScratchFolder folder;
        WriteThreeColours(folder);
        LoadedForm form(ModeCode::NewArea, folder);
        form.fake.clipboardWorks = works;
        form->SetTitle("面積");
        form->CopyAndOk();
        ASSERT_EQ(form.fake.clipboard.size(), 1u);
        EXPECT_EQ(form.fake.clipboard[0], "面積\r\n\t1.000\t\r\n\t1.500\t\r\n\t2.000\t\r\n");
        EXPECT_EQ(form->GetRunState(), works ? RunState::Finished : RunState::Running);
        EXPECT_EQ(file::Exists(folder.File("ZTEMP.TXT")), works);
        EXPECT_EQ(form.fake.messages.size(), works ? 0u : 1u);
    }
}

TEST(CopyAndOk, IsNotAvailableInTheRewriteAndLayerNameModes) {
    for (ModeCode mode : {ModeCode::ColourChange, ModeCode::LayerNamesExternal}) {
        ScratchFolder folder;
        LoadedForm form(mode, folder);
        form->CopyAndOk();
        EXPECT_TRUE(form.fake.clipboard.empty());
        EXPECT_EQ(form->GetRunState(), RunState::Running);
    }
}

}  // namespace
