// The pairs among many boxes that share more than a given area: the pair search of the solid
// check. A uniform grid with cells about the size of a typical box holds each box in the
// cells it covers, so that a box meets only its neighbours: near linear time for solids spread
// over a drawing. A pair is tested in one cell only, the one holding the lower left corner of
// the part the two boxes share.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "exchange/Drawing.h"

// Calls `visit(i, j)`, i < j, once for each pair of boxes that share more than `minArea`,
// cells in turn, until `visit` returns false. The boxes are given where they lie; a null
// one takes no part, nor does one whose minimum lies above its maximum (or that holds NaN).
// Returns false when `visit` stopped the search.
bool ForEachBoxPair(std::span<const SolidBox* const> boxes, double minArea,
                    const std::function<bool(std::uint32_t, std::uint32_t)>& visit);
