// The settings the form takes (texts, ruled-line groups, rounding, alignment, copy layout) and
// the lists its fields offer, driven by the scripts in tests/data/output/form/.
#include "ui/SettingsPanel.h"

#include <gtest/gtest.h>

#include "FormScript.h"

using form_script::Runner;

TEST(SettingsPanel, Fields) { Runner().Run("settings.txt"); }
TEST(SettingsPanel, Lists) { Runner().Run("lists.txt"); }
TEST(SettingsPanel, SettingsThatGiveNoTable) { Runner().Run("table-settings.txt"); }
