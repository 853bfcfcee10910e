// What the exchange reader keeps of TEMP.TXT besides the table rows: the bytes of the file,
// the lines to write back, the attribute state and the header values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Memory.h"
#include "base/SolidColour.h"
#include "model/Table.h"

// Attribute state left by the last record read.
struct Attributes {
    std::string layerGroup;   // the current layer group: one character
    float groupScale = 0.0f;  // the current group's scale
    std::string layer;        // the current layer: one character
    std::string lineType;     // text after "lt"
    std::string textType;     // text after "cn"
    std::string colourCode;   // text after "lc" ("10" after "lc10 ")
    SolidColour colour = 0;   // the colour the next solids are drawn in
};

// The box around a solid's corners, drawing mm.
struct SolidBox {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
};

// What the load step keeps of a measured record where the solid check is to run, so that
// the check reads again only the few lines it must measure exactly.
struct MeasuredShape {
    SolidBox box;
    double area = 0.0;     // m², as the row counts it
    bool crossed = false;  // a crossed quadrilateral
};

// The lines after the first that the rewrite writes back before the solids, in file order:
// where the reading consumed a record (a solid, an "lc10 " colour) an empty line stands in
// its place. A run of empty lines, such as thousands of solids in a row leave, is one entry.
class OtherLines {
  public:
    // Adds a line; one of length 0 is an empty line, wherever it was read.
    void Add(LineRef line) {
        if (line.length != 0)
            memory::PushBackLarge(entries_, line);
        else if (!entries_.empty() && entries_.back().length == 0)
            ++entries_.back().offset;
        else
            entries_.push_back({1, 0});
    }

    // Calls `visit` with the text of each line in turn, from the bytes the lines were read from.
    template <typename Visit>
    void ForEach(std::string_view bytes, const Visit& visit) const {
        for (const LineRef& entry : entries_) {
            if (entry.length != 0)
                visit(bytes.substr(entry.offset, entry.length));
            else
                for (std::uint32_t i = 0; i < entry.offset; ++i) visit(std::string_view{});
        }
    }

    // The lines in all.
    std::size_t Count() const {
        std::size_t count = 0;
        for (const LineRef& entry : entries_) count += entry.length != 0 ? 1 : entry.offset;
        return count;
    }

  private:
    std::vector<LineRef> entries_;  // a line, or of length 0: as many empty lines as `offset` says
};

// Header arrays as read: element 0 holds the keyword, 1..16 the fields (texts, possibly empty).
using HeaderArray = std::array<std::string, 17>;

struct Drawing {
    std::string bytes;                // TEMP.TXT as read; LineRefs point into it
    OtherLines otherLines;
    // Where the load keeps them, the shapes of the lines that read as plain solid records, one
    // for each in file order (NaN as the area of one that does not measure); the rows' lists of
    // shapes index those of their measured records. Those of lines no row took may be left
    // unmeasured.
    std::vector<MeasuredShape> shapes;
    Attributes attributes;
    HeaderArray groupScales{}, textWidths{}, textHeights{}, textSpacings{}, textColours{};
    std::string savedTitle;           // the title after an "hhp1ch" record (UTF-8)
    // What the load step puts into the title box: the saved title after an "hhp1ch" record, or
    // in the external layer-name mode the current layer group after an "lgn" record (the last one read wins);
    // nullopt when the file held neither.
    std::optional<std::string> titleBox;
    int currentRow = 0;               // row of the last solid record, 0 if none
    // The colour each row was formed by (or loaded with), which solids are matched against;
    // a layer's paint colour does not change it.
    std::array<SolidColour, kRowCount + 1> rowColours{};
    bool hasRoundFigures = false;     // circle-related solids were met where areas are measured
    // Solid records of colours that found no row once all 16 were taken (table modes only:
    // the rewrite modes stop reading there), and those colours in the order met.
    std::int64_t leftOutSolids = 0;
    std::vector<SolidColour> leftOutColours;

    std::string_view Text(LineRef line) const {
        return std::string_view(bytes).substr(static_cast<std::size_t>(line.offset), line.length);
    }
};
