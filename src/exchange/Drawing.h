// What the exchange reader keeps of TEMP.TXT besides the table rows: the bytes of the file,
// the lines to write back, the attribute state and the header values.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/SolidColour.h"
#include "exchange/Table.h"

// Attribute state left by the last record read.
struct Attributes {
    std::string layerGroup;   // CurrentLayerGroup: one character
    float groupScale = 0.0f;  // CurrentGroupScale
    std::string layer;        // CurrentLayer
    std::string lineType;     // CurrentLineType: text after "lt"
    std::string textType;     // CurrentTextType: text after "cn"
    std::string colourCode;   // CurrentColourCode: text after "lc" ("10" after "lc10 ")
    SolidColour colour = 0;   // CurrentColour
};

// Header arrays as read: element 0 holds the keyword, 1..16 the fields (texts, possibly empty).
using HeaderArray = std::array<std::string, 17>;

struct Drawing {
    std::string bytes;                // TEMP.TXT as read; LineRefs point into it
    std::vector<LineRef> otherLines;  // every line after the first; consumed lines have length 0
    Attributes attributes;
    HeaderArray groupScales{}, textWidths{}, textHeights{}, textSpacings{}, textColours{};
    std::string savedTitle;           // SavedTitle (UTF-8)
    // What the load step puts into the title box: SavedTitle after an "hhp1ch" record, or in
    // mode 7 the current layer group after an "lgn" record (the last one read wins);
    // nullopt when the file held neither.
    std::optional<std::string> titleBox;
    int currentRow = 0;               // CurrentRow: row of the last solid record, 0 if none
    bool hasRoundFigures = false;     // HasRoundFigures
    // Solid records of colours that found no row once all 16 were taken (table modes only:
    // the rewrite modes stop reading there), and those colours in the order met.
    std::int64_t leftOutSolids = 0;
    std::vector<SolidColour> leftOutColours;

    std::string_view Text(LineRef line) const {
        return std::string_view(bytes).substr(static_cast<std::size_t>(line.offset), line.length);
    }
};
