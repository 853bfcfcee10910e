// The settings panel: its editable fields (each one a TableSettings text), the lists
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
    DefaultUnit,  // default unit entry
    Rounding,     // rounding digits
    TextType,     // text type of the table
    TextLayer,    // layer of the texts
    SampleWidth,  // text box: width of the table's colour samples
    SampleLayer,  // layer of the colour samples
    GapHeight,    // text box: vertical gap between text and ruled line
    GapWidth,     // text box: horizontal gap
    OuterFrameLineType, OuterFrameColour, OuterFrameLayer,
    VerticalLineType, VerticalLineColour, VerticalLineLayer,
    HorizontalLineType, HorizontalLineColour, HorizontalLineLayer,
};

std::string& FieldText(TableSettings& settings, PanelField field);
const std::string& FieldText(const TableSettings& settings, PanelField field);

constexpr int kRuledLineGroups = 3;  // 0 the outer frame, 1 vertical lines, 2 horizontal lines
// The switch of a ruled-line group: outerFrame, verticalLines or horizontalLines.
std::int16_t& RuledLineSwitch(TableSettings& settings, int group);
std::int16_t RuledLineSwitch(const TableSettings& settings, int group);

// Is the field enabled: a ruled-line combo while its check box is not off, every other field
// always.
bool PanelFieldEnabled(PanelField field, const TableSettings& settings);

// The entries the field's list offers. Line colours, text types and the layers of the text
// and ruled lines are added by the load step (`loadStepLists`; not where no drawing is read);
// line types, the sample layers and the rounding digits belong to the form; the default
// units are the list file's "[tani]" entries. Text boxes offer none.
std::vector<std::string> PanelListEntries(PanelField field, bool loadStepLists, const ListFile& lists);

// The copy layout shown selected, or nullopt for a value that is neither
// 0 (card) nor 1 (list).
std::optional<int> SelectedCopyLayout(const TableSettings& settings);
