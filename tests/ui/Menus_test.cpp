// Which commands the menus offer and mark, driven by tests/data/output/form/menus.txt.
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include "FormScript.h"

TEST(Menus, EnabledAndCheckedByModePanelHandOffAndAlignment) { form_script::Runner().Run("menus.txt"); }
