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
// cells in turn, until `visit` returns false. Boxes whose minimum lies above their maximum
// (or that hold NaN) take no part. Returns false when `visit` stopped the search.
bool ForEachBoxPair(std::span<const SolidBox> boxes, double minArea,
                    const std::function<bool(std::uint32_t, std::uint32_t)>& visit);
