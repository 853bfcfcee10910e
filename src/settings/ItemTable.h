// The item table: each row's swatch colours, item name and unit entry, stored in
// koumoku.INI and, with the settings, in table files (.JHY).
//
//   [koumokusuu]
//   koumokusuu=2
//   [Solid]
//   Solidclr_1=255
//   Solidclr_17=255
//   [koumoku]
//   koumoku_1=壁
//   [tani]
//   tani_1=m^2,1
#pragma once

#include <string>

#include "base/File.h"
#include "base/SolidColour.h"
#include "model/Table.h"
#include "settings/Ini.h"
#include "settings/TableSettings.h"

// Stores the item table: the count of rows in use (a name or a left swatch other than `background`,
// wherever they stand), then for each of the 16 rows Solidclr_i, Solidclr_(i+16), koumoku_i
// and tani_i.
void StoreItemTable(const Table& table, SolidColour background, ini::Document& doc);

// Loads the item table: rows 1 .. count get colour (both swatches take the left colour), name
// and unit entry; a unit entry gives the factor (UnitFactor); an empty entry keeps the factor.
// A missing or unconvertible count or colour keeps the current value. A count outside 0..16
// is clamped, so firstFreeRow stays in 1..17 and only rows 1..16 are filled.
void LoadItemTable(const ini::Document& doc, Table& table);

// File menu: opening a table file reads the settings, then the item table, from the file.
// A missing file reads as an empty one.
void OpenTableFile(const std::string& path, TableSettings& settings, Table& table);

// File menu: saving a table file writes the settings, then the item table, into the file
// (other sections kept) at once and atomically. The result says why it failed.
file::WriteResult SaveTableFile(const std::string& path,
                                const TableSettings& settings,
                                const Table& table,
                                SolidColour background);
