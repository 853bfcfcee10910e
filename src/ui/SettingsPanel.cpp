#include "ui/SettingsPanel.h"

#include <cassert>

namespace {

enum class ListKind { None, DefaultUnits, Rounding, TextTypes, LineColours, LineTypes, Layers, SampleLayers };

struct FieldDef {
    PanelField field;
    std::string TableSettings::*member;
    ListKind list;
    int ruledLineGroup;  // -1: none
};

// Indexed by PanelField.
constexpr FieldDef kFieldDefs[] = {
    {PanelField::DefaultUnit, &TableSettings::defaultUnit, ListKind::DefaultUnits, -1},
    {PanelField::Rounding, &TableSettings::rounding, ListKind::Rounding, -1},
    {PanelField::TextType, &TableSettings::textType, ListKind::TextTypes, -1},
    {PanelField::TextLayer, &TableSettings::textLayer, ListKind::Layers, -1},
    {PanelField::SampleWidth, &TableSettings::sampleWidth, ListKind::None, -1},
    {PanelField::SampleLayer, &TableSettings::sampleLayer, ListKind::SampleLayers, -1},
    {PanelField::GapHeight, &TableSettings::gapHeight, ListKind::None, -1},
    {PanelField::GapWidth, &TableSettings::gapWidth, ListKind::None, -1},
    {PanelField::OuterFrameLineType, &TableSettings::outerFrameLineType, ListKind::LineTypes, 0},
    {PanelField::OuterFrameColour, &TableSettings::outerFrameColour, ListKind::LineColours, 0},
    {PanelField::OuterFrameLayer, &TableSettings::outerFrameLayer, ListKind::Layers, 0},
    {PanelField::VerticalLineType, &TableSettings::verticalLineType, ListKind::LineTypes, 1},
    {PanelField::VerticalLineColour, &TableSettings::verticalLineColour, ListKind::LineColours, 1},
    {PanelField::VerticalLineLayer, &TableSettings::verticalLineLayer, ListKind::Layers, 1},
    {PanelField::HorizontalLineType, &TableSettings::horizontalLineType, ListKind::LineTypes, 2},
    {PanelField::HorizontalLineColour, &TableSettings::horizontalLineColour, ListKind::LineColours, 2},
    {PanelField::HorizontalLineLayer, &TableSettings::horizontalLineLayer, ListKind::Layers, 2},
};

constexpr std::int16_t TableSettings::*kRuledLineSwitches[kRuledLineGroups] = {
    &TableSettings::outerFrame, &TableSettings::verticalLines, &TableSettings::horizontalLines};

const FieldDef& Def(PanelField field) {
    const FieldDef& def = kFieldDefs[static_cast<std::size_t>(field)];
    assert(def.field == field);
    return def;
}

std::vector<std::string> Numbered(const char* prefix, int first, int last) {
    std::vector<std::string> out;
    for (int i = first; i <= last; ++i) out.push_back(prefix + std::to_string(i));
    return out;
}

std::vector<std::string> LayerRecords() {
    std::vector<std::string> out;
    for (char digit : std::string("0123456789abcdef")) out.push_back(std::string("ly") + digit);
    return out;
}

// The ruled-line group whose check box enables the field, or nullopt.
std::optional<int> RuledLineGroupOf(PanelField field) {
    int group = Def(field).ruledLineGroup;
    return group < 0 ? std::nullopt : std::optional<int>(group);
}

}  // namespace

const std::string& FieldText(const TableSettings& settings, PanelField field) { return settings.*Def(field).member; }

std::string& FieldText(TableSettings& settings, PanelField field) { return settings.*Def(field).member; }

std::int16_t& RuledLineSwitch(TableSettings& settings, int group) {
    assert(group >= 0 && group < kRuledLineGroups);
    return settings.*kRuledLineSwitches[group];
}

std::int16_t RuledLineSwitch(const TableSettings& settings, int group) {
    assert(group >= 0 && group < kRuledLineGroups);
    return settings.*kRuledLineSwitches[group];
}

bool PanelFieldEnabled(PanelField field, const TableSettings& settings) {
    std::optional<int> group = RuledLineGroupOf(field);
    // The start-up disables only the groups whose box is off (0); a click sets 0 or 1.
    return !group || RuledLineSwitch(settings, *group) != 0;
}

std::vector<std::string> PanelListEntries(PanelField field, bool loadStepLists, const ListFile& lists) {
    switch (Def(field).list) {
        case ListKind::None: return {};
        case ListKind::DefaultUnits: return lists.units;
        case ListKind::Rounding: {
            std::vector<std::string> out;
            for (int k = 4; k >= -6; --k) out.push_back(std::to_string(k));
            return out;
        }
        case ListKind::LineTypes: return Numbered("lt", 1, 9);
        case ListKind::SampleLayers: return LayerRecords();
        case ListKind::LineColours: return loadStepLists ? Numbered("lc", 1, 9) : std::vector<std::string>{};
        case ListKind::TextTypes: return loadStepLists ? Numbered("cn", 1, 10) : std::vector<std::string>{};
        case ListKind::Layers: return loadStepLists ? LayerRecords() : std::vector<std::string>{};
    }
    assert(false && "unknown list");
    return {};
}

std::optional<int> SelectedCopyLayout(const TableSettings& settings) {
    if (settings.copyLayout == 0 || settings.copyLayout == 1) return settings.copyLayout;
    return std::nullopt;
}
