// The mode word on the command line and the swatch-mode button, driven by
// tests/data/output/form/modes.txt; the captions and swatch marks of every mode show in the
// form-model scripts.
#include "ui/Modes.h"

#include <gtest/gtest.h>

#include "FormScript.h"

TEST(Modes, CommandLineAndSwatchStates) { form_script::Runner().Run("modes.txt"); }
