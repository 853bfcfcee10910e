// The program's mode, chosen once at start-up from the mode word Jw_cad passes.
#pragma once

#include <cstdint>

enum class ModeCode : std::int16_t {
    TableCreation = 0,       // "M6" or an unknown word: a table from an item table
    NewArea = 1,             // "C2": area measurement into a new table
    PreviousArea = 2,        // "C1": area measurement into the last table (koumoku.INI)
    ColourChange = 3,        // "M3"
    LayerDistribution = 4,   // "M4"
    Overlap = 5,             // "M5": draw-order change
    LayerNames = 6,          // no word: layer names of a running Jw_cad
    LayerNamesExternal = 7,  // "M7": layer names from the external transformation
};

constexpr int ToInt(ModeCode mode) { return static_cast<int>(mode); }

// Modes 0, 1, 2 and 7 draw an area table into the coordinate file.
constexpr bool DrawsTable(ModeCode m) {
    return m == ModeCode::TableCreation || m == ModeCode::NewArea || m == ModeCode::PreviousArea ||
           m == ModeCode::LayerNamesExternal;
}
// Modes 3, 4 and 5 rewrite the selected solids into the result file.
constexpr bool RewritesSolids(ModeCode m) {
    return m == ModeCode::ColourChange || m == ModeCode::LayerDistribution || m == ModeCode::Overlap;
}
constexpr bool MeasuresArea(ModeCode m) { return m == ModeCode::NewArea || m == ModeCode::PreviousArea; }
constexpr bool IsLayerNameMode(ModeCode m) { return m == ModeCode::LayerNames || m == ModeCode::LayerNamesExternal; }
