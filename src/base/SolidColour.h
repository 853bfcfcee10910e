// A colour as Jw_cad's exchange records and the swatches hold it: red + 256 * green +
// 65536 * blue (the layout of a Windows COLORREF), with its text forms.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using SolidColour = std::int32_t;

constexpr SolidColour kWhite = 0xFFFFFF;
constexpr SolidColour kBlack = 0;

constexpr SolidColour RgbColour(int red, int green, int blue) {
    return static_cast<SolidColour>(red + 256 * green + 65536 * blue);
}

// The colour of each of Jw_cad's pen numbers, as the exchange records name them.
constexpr int kPenTableSize = 357;
using PenColourTable = std::array<SolidColour, kPenTableSize>;

// "#RRGGBB" (shorter texts padded on the left with zeros, of a longer one the last six
// digits count) is read as hexadecimal red, green, blue; any other text as a decimal
// value. A text that gives no number gives 0; non-hexadecimal digits after "#" count as 0.
SolidColour ParseColourText(std::string_view text);

// "R:255 G:128 B:0": the tooltip of a coloured swatch.
std::string ColourRgbText(SolidColour colour);

// "FF8000": red, green, blue as two upper-case hexadecimal digits each.
std::string ColourHexText(SolidColour colour);

// "0".."9" -> 1..10, "a".."f" -> 11..16 (row or layer-group number); anything else,
// upper-case letters included, gives 0.
int HexDigitIndex(std::string_view digit);

// 1..16 -> "0".."F": the upper-case digit of a row's layer or a layer group.
char UpperHexDigit(int number);
