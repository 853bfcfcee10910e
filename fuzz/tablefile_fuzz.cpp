// Table files (.JHY) on any file: open it as the File menu does, save the table and the
// settings back into the same file, open the result in a fresh form. What was saved must
// come back: every setting, and rows 1 .. koumokusuu with their colour, name and unit entry.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "SettingsCheck.h"
#include "settings/Ini.h"
#include "settings/ItemTable.h"

namespace {

constexpr SolidColour kBackground = kWhite;

// A form as the load step leaves it: every swatch empty.
Table EmptyTable() {
    Table table;
    for (int i = 1; i <= kRowCount; ++i)
        PaintRow(table.Row(i), kBackground);
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ini::Document file = ini::Document::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    TableSettings settings;
    Table table = EmptyTable();
    LoadSettings(file, settings);
    LoadItemTable(file, table);
    FUZZ_CHECK(table.firstFreeRow >= 1 && table.firstFreeRow <= kRowCount + 1);

    StoreSettings(settings, file);
    StoreItemTable(table, kBackground, file);
    ini::Document saved = ini::Document::Parse(file.Serialize());

    TableSettings reopenedSettings;
    Table reopened = EmptyTable();
    LoadSettings(saved, reopenedSettings);
    LoadItemTable(saved, reopened);
    fuzz::CheckSettingsCameBack(settings, reopenedSettings);

    // koumokusuu counts the rows in use; the rows up to that count come back.
    int inUse = 0;
    for (int i = 1; i <= kRowCount; ++i)
        inUse += RowInUse(table.Row(i), kBackground) ? 1 : 0;
    FUZZ_CHECK(reopened.firstFreeRow == inUse + 1);
    for (int i = 1; i < reopened.firstFreeRow; ++i) {
        const TableRow& a = table.Row(i);
        const TableRow& b = reopened.Row(i);
        FUZZ_CHECK(a.colour == b.colour && b.newColour == b.colour);
        fuzz::CheckCarriedText(a.name, b.name);
        fuzz::CheckCarriedText(a.unitEntry, b.unitEntry);
        if (fuzz::Carried(a.unitEntry) && !a.unitEntry.empty())
            FUZZ_CHECK(reopened.Row(i).factor ==
                       table.Row(i).factor);
    }
    return 0;
}
