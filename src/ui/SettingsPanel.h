// The settings panel Frame1: its editable fields (each one a TableSettings text), the lists
// they offer, and which of them are enabled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/ListFile.h"
#include "settings/TableSettings.h"

// The panel's combos and text boxes, top to bottom; each holds the setting of its name.
enum class PanelField {
    Tani,         // cbTaniD: default unit entry
    Keta,         // Comboketa: rounding digits
    Mojishu,      // Combo1(3): text type
    Moji_ly,      // Combo1(4): text layer
    Solid_W,      // text box: width of the table's colour samples
    cmbSolidLay,  // layer of the colour samples
    Sukima_H,     // text box: vertical gap
    Sukima_W,     // text box: horizontal gap
    Soto_lt, Soto_lc, Soto_ly,  // Combo1(9), (1), (5): outer frame
    Tate_lt, Tate_lc, Tate_ly,  // Combo1(10), (2), (6): vertical lines
    Yoko_lt, Yoko_lc, Yoko_ly,  // Combo1(11), (7), (8): horizontal lines
};

std::string& FieldText(TableSettings& settings, PanelField field);
const std::string& FieldText(const TableSettings& settings, PanelField field);

constexpr int kRuledLineGroups = 3;  // ckKeisen(0) outer frame, (1) vertical, (2) horizontal
// The check state of ckKeisen(group): Sotowaku, Tatesen or Yokosen.
std::int16_t& RuledLineSwitch(TableSettings& settings, int group);
std::int16_t RuledLineSwitch(const TableSettings& settings, int group);

// Is the field enabled: a ruled-line combo while its check box is not off, every other field
// always.
bool PanelFieldEnabled(PanelField field, const TableSettings& settings);

// The entries the field's list offers. Line colours, text types and the layers of the text
// and ruled lines are added by the load step (`loadStepLists`; not in the layer-name mode 6);
// line types, the sample layers and the rounding digits belong to the form; the default
// units are the list file's "[tani]" entries. Text boxes offer none.
std::vector<std::string> PanelListEntries(PanelField field, bool loadStepLists, const ListFile& lists);

// Option1(tensoType): the copy layout shown selected, or nullopt for a value that is neither
// 0 (card) nor 1 (list).
std::optional<int> SelectedCopyLayout(const TableSettings& settings);
