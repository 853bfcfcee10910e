// The form model, driven by the scripts in tests/data/output/form/: the load step, what the
// rows take, table files, the preview, the solid check's findings and the ways a run ends.
#include "ui/FormModel.h"

#include <gtest/gtest.h>

#include "FormScript.h"
#include "ui/CheckSummary.h"

using form_script::Runner;

TEST(FormModel, LoadStep) { Runner().Run("load.txt"); }
TEST(FormModel, NamesUnitsAndQuantities) { Runner().Run("names-units.txt"); }
TEST(FormModel, RowsAddedAndDeleted) { Runner().Run("add-delete.txt"); }
TEST(FormModel, ColoursChangedAndLayersPainted) { Runner().Run("colours.txt"); }
TEST(FormModel, RowsExchanged) { Runner().Run("exchange.txt"); }
TEST(FormModel, TableFiles) { Runner().Run("table-files.txt"); }
TEST(FormModel, OkAndExit) { Runner().Run("ok.txt"); }
TEST(FormModel, CopyAndOk) { Runner().Run("copy.txt"); }
TEST(FormModel, OkCommandOutputs) { Runner().Run("ok-command.txt"); }
TEST(FormModel, TableDrawings) { Runner().Run("tables.txt"); }
TEST(FormModel, PreviewAndTotalRows) { Runner().Run("preview.txt"); }
TEST(FormModel, SolidCheckFindings) { Runner().Run("findings.txt"); }

// A check stopped short counts its overlaps as a lower bound and sums none of them.
TEST(CheckSummary, OverlapsOfACheckStoppedShortAreALowerBound) {
    const Finding overlap{FindingKind::Overlap, 1, 2, 0.25, 0, 0}, empty{FindingKind::Empty, 1, 0, 0, 0, 0};
    const Finding some[] = {overlap, overlap, empty};
    EXPECT_EQ(CheckSummary(some, false), "重なり 2か所 0.500㎡ ／ 面積0 1");
    EXPECT_EQ(CheckSummary(some, true), "重なり 2か所以上 ／ 面積0 1");
    EXPECT_EQ(CheckSummary(std::span(some).last(1), true), "重なり 0か所以上 ／ 面積0 1");
}
