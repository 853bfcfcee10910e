#include "settings/ItemTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "base/Text.h"
#include "base/Numbers.h"
#include "model/Quantities.h"

namespace {

std::string Key(std::string_view stem, int i) {
    return std::string(stem) + std::to_string(i);
}

// A stored whole number within the type's range, or nullopt for a missing, empty or
// unconvertible value.
template <typename T>
std::optional<T> StoredInteger(std::string_view text) {
    auto value = numbers::ParseNumber(text);
    if (!value || *value != std::floor(*value))
        return std::nullopt;
    if (*value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(*value);
}

}  // namespace

void StoreItemTable(const Table& table, SolidColour background, ini::Document& doc) {
    int count = 0;
    for (int i = 1; i <= kRowCount; ++i)
        if (RowInUse(table.Row(i), background))
            ++count;
    doc.Set("koumokusuu", "koumokusuu", std::to_string(count));
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        doc.Set("Solid", Key("Solidclr_", i), std::to_string(row.colour));
        doc.Set("Solid", Key("Solidclr_", i + kRowCount), std::to_string(row.newColour));
        doc.Set("koumoku", Key("koumoku_", i), row.name);
        doc.Set("tani", Key("tani_", i), row.unitEntry);
    }
}

void LoadItemTable(const ini::Document& doc, Table& table) {
    if (auto count = StoredInteger<int>(doc.Get("koumokusuu", "koumokusuu", "")))
        table.firstFreeRow = std::clamp(*count, 0, kRowCount) + 1;
    for (int k = 1; k < table.firstFreeRow; ++k) {
        TableRow& row = table.Row(k);
        if (auto colour = StoredInteger<SolidColour>(doc.Get("Solid", Key("Solidclr_", k), "")))
            row.colour = *colour;
        row.newColour = row.colour;
        row.name = doc.Get("koumoku", Key("koumoku_", k), "");
        row.unitEntry = doc.Get("tani", Key("tani_", k), "");
        if (!row.unitEntry.empty())
            row.factor = UnitFactor(row.unitEntry);
    }
}

void OpenTableFile(const std::string& path, TableSettings& settings, Table& table) {
    ini::Document doc = ini::Document::Load(path);
    LoadSettings(doc, settings);
    LoadItemTable(doc, table);
}

file::WriteResult SaveTableFile(const std::string& path,
                                const TableSettings& settings,
                                const Table& table,
                                SolidColour background) {
    return ini::Update(path, [&](ini::Document& doc) {
        StoreSettings(settings, doc);
        StoreItemTable(table, background, doc);
    });
}
