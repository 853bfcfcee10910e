// The form model, driven by the scripts in tests/data/output/form/: the load step, what the
// rows take, table files, the preview, the solid check's findings and the ways a run ends.
#include "ui/FormModel.h"

#include <gtest/gtest.h>

#include "FormScript.h"

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
