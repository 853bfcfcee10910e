// The clipboard text of the copy-and-OK command.
#include "output/ClipboardText.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Table.h"

namespace {

// Rows A (1.5, unit u) and B (2, unit v): the copy shows the unit captions, not the entries.
Table TwoRows() {
    Table table;
    table.Row(1) = {kRed, kRed, "A", "1.5", "u,1", 1.0, {}, 0, {}};
    table.Row(2) = {kGreen, kGreen, "B", "2", "v,0.3025", 0.3025, {}, 0, {}};
    table.firstFreeRow = 3;
    return table;
}

TEST(ClipboardText, LayoutsWithCrLfAfterEveryLine) {
    struct Case {
        bool withHeadings;
        int layout;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {false, 0, "T", "T\r\nA\t1.5\tu\r\nB\t2\tv\r\n"},
        {true, 1, "T", "項目名\tA\tB\r\n単　位\tu\tv\r\nT\t1.5\t2\r\n"},
        {false, 1, "T", "T\t1.5\t2\r\n"},
        {false, 1, "", "\t1.5\t2\r\n"},
        {false, 0, "", "\r\nA\t1.5\tu\r\nB\t2\tv\r\n"},
        {true, 2, "T", ""},
    };
    Table table = TwoRows();
    for (const Case& c : cases)
        EXPECT_EQ(ClipboardText(table, kBlack, c.title, c.withHeadings, c.layout), c.text) << c.layout;
}

TEST(ClipboardText, RowsUpToTheFirstFreeRowAndRowsAddedByHandAfterIt) {
    EXPECT_EQ(ClipboardText(Table{}, kBlack, "T", true, 1), "項目名\r\n単　位\r\nT\r\n");
    Table table = TwoRows();
    table.Row(1).name = table.Row(2).name = "";
    table.Row(1).colour = kBlack;
    table.Row(4).name = "C";  // added after the stored rows: copied, with the gaps before it
    EXPECT_EQ(CopiedRowCount(table, kBlack), 4);
    EXPECT_EQ(ClipboardText(table, kBlack, "T", false, 0),
              "T\r\n\t1.5\tu\r\n\t2\tv\r\n\t\t\r\nC\t\t\r\n");
}

}  // namespace
