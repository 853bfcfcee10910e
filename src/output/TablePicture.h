// What the preview and the SVG show: the table drawing OK would write at this moment, in the
// colours Jw_cad shows it in, or the message OK would give instead. Both renderings place the
// characters and size the picture with the functions here, so they agree with each other and
// with the column widths of the table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/SolidColour.h"
#include "output/OkCommand.h"
#include "output/TableElements.h"

struct LineLook {
    SolidColour colour = kBlack;
    std::vector<float> dashes;  // dash, gap, dash, ... in paper millimetres; empty: a solid line
};

struct TableLook {
    SolidColour background = kWhite;  // Jw_cad's background: pen colour 0
    SolidColour text = kBlack;        // the pen colour of the table's text type
    std::array<LineLook, kRuleGroups> rules{};
};

struct TablePicture {
    std::optional<TableElements> elements;
    TableLook look;
    // Without elements: the message OK gives instead of a table; empty where OK draws none.
    std::string message;
};

// Whether OK draws a table in this output (the area table, the layer-name table).
bool DrawsTable(OkOutput output);

// The table OK would draw for the request, the layer names applied to a copy of the rows in
// the layer-name table, or OK's message when the settings give no table. The ruled lines and
// the text take their colours from `pens` (Jw_cad's pen colours; null: black), the
// line types their dashes.
TablePicture PictureOfTable(const OkRequest& request, const PenColourTable* pens);

struct PlacedCharacter {
    std::string character;  // one UTF-8 character
    float x = 0.0f;         // its left edge
};

// The text's characters at Jw_cad's fixed pitch: a full-width character advances by the text
// type's width and spacing, a half-width one by half of each, so that a text of n bytes is as
// wide as the column formula says. Blanks and control characters advance without being placed,
// an ill-formed sequence is placed as U+FFFD, "^u" codes are not drawn and take no room (as the
// widths are measured).
std::vector<PlacedCharacter> PlaceCharacters(const TableText& text, const TableMetrics& metrics);

// The box round everything drawn, the title above the table included (paper millimetres).
struct PictureBox {
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
};
PictureBox BoxOf(const TableElements& elements);
