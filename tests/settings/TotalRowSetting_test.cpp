// The total-row switch: a settings file saved with it off stays byte for byte as it was.
#include <gtest/gtest.h>

#include "base/File.h"
#include "settings/TableSettings.h"

TEST(TotalRowSetting, SavedOnlyWhenOnOrAlreadyInTheFile) {
    const std::string defaults =
        file::Read(std::string(VEMORA_TEST_DATA) + "/settings/default-settings.ini").value_or("");
    auto saved = [](const std::string& bytes, std::int16_t totalRow) {
        ini::Document doc = ini::Document::Parse(bytes);
        TableSettings settings;
        settings.totalRow = totalRow;
        StoreSettings(settings, doc);
        return doc.Serialize();
    };
    ASSERT_TRUE(defaults.ends_with("chkC=0\r\n"));
    EXPECT_EQ(saved(defaults, 0), defaults);
    EXPECT_EQ(saved(defaults, 1), defaults + "Goukei=1\r\n");
    EXPECT_EQ(saved(defaults + "Goukei=1\r\n", 0), defaults + "Goukei=0\r\n");
    TableSettings loaded;
    LoadSettings(ini::Document::Parse("[kihon]\r\nGoukei=1\r\n"), loaded);
    EXPECT_EQ(loaded.totalRow, 1);
}
