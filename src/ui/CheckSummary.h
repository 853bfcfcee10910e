// The solid check's findings as the window shows them: one summary line under the table, and
// one line per finding in the details list.
//
//   重なり 3か所 1.250㎡ ／ ねじれ 1 ／ 面積0 2
//   3・5   重なり   0.250
#pragma once

#include <span>
#include <string>

#include "exchange/SolidCheck.h"

// A finding as a line of the details list.
struct FindingDetails {
    std::string rows;  // "3"; an overlap of solids of two rows names both, the lower first: "3・5"
    std::string kind;  // "重なり", "ねじれ", "面積0"
    std::string area;  // see CheckAreaText
};

// Square metres to 3 decimals with thousands separators, as the markers write them. An area
// that would show as 0.000 is written to 6 decimals (1 mm², the check's tolerance), so that a
// small overlap or lobe the check reports never reads as nothing: 0.0004 gives "0.000400", an
// empty solid "0.000000".
std::string CheckAreaText(double area);

// One piece per kind present, in the order 重なり (the count and the shared areas' sum), ねじれ,
// 面積0, joined by " ／ ": "重なり 3か所 1.250㎡ ／ 面積0 2". Empty without findings. Of a check
// stopped short the overlaps found are a lower bound, and their sum means nothing:
// "重なり 9870か所以上 ／ 面積0 2".
std::string CheckSummary(std::span<const Finding> findings, bool cutShort);

FindingDetails DetailsOf(const Finding& finding);
