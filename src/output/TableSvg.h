// The table picture as a standalone SVG document: lines, colour samples and the texts as
// <text> in a Japanese font, in paper millimetres with y turned downwards, on Jw_cad's
// background colour.
//
//   <line x1="2" y1="9" x2="62" y2="9"/>
//   <text x="28 32.25" y="14.52">床材</text>
#pragma once

#include <string>

#include "output/TablePicture.h"

// The SVG (UTF-8, LF) of a picture with elements; empty for a picture without them.
std::string TableSvg(const TablePicture& picture);
