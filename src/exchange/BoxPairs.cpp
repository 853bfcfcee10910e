#include "exchange/BoxPairs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "base/Parallel.h"

namespace {

bool TakesPart(const SolidBox* box) { return box && box->minX <= box->maxX && box->minY <= box->maxY; }

double SharedArea(const SolidBox& a, const SolidBox& b) {
    const double width = std::min(a.maxX, b.maxX) - std::max(a.minX, b.minX);
    const double height = std::min(a.maxY, b.maxY) - std::max(a.minY, b.minY);
    return width > 0 && height > 0 ? width * height : 0.0;
}

// Square cells over the boxes' extent, numbered row after row. A coordinate maps to its
// column or row, clamped to the grid; the mapping never decreases, so the cell of the lower
// left corner of two boxes' shared part is the larger of their first columns and rows.
class Grid {
  public:
    Grid(const SolidBox& extent, double cell) : left_(extent.minX), bottom_(extent.minY), perCell_(1 / cell) {
        columns_ = Count(extent.maxX - extent.minX);
        rows_ = Count(extent.maxY - extent.minY);
    }

    std::size_t Cells() const { return columns_ * rows_; }
    std::size_t Columns() const { return columns_; }
    std::uint32_t Column(double x) const { return Index((x - left_) * perCell_, columns_); }
    std::uint32_t Row(double y) const { return Index((y - bottom_) * perCell_, rows_); }

  private:
    std::size_t Count(double length) const {
        const double cells = length * perCell_;  // NaN for an endless extent on endless cells
        return (cells > 0 ? static_cast<std::size_t>(std::min(cells, kMaxSide)) : 0) + 1;
    }
    // `at` cells from the grid's edge, clamped to the count. Below the count, at most
    // 2^30 + 1, it converts as a signed integer, which takes one instruction where an
    // unsigned conversion takes several.
    static std::uint32_t Index(double at, std::size_t count) {
        if (at >= static_cast<double>(count)) return static_cast<std::uint32_t>(count - 1);
        return at > 0 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(at)) : 0;
    }

    static constexpr double kMaxSide = 1 << 30;
    double left_, bottom_, perCell_;
    std::size_t columns_ = 1, rows_ = 1;
};

// The cells a box covers: its first and last column and row. Empty for a box that takes no part.
struct CellRange {
    std::uint32_t column0 = 1, column1 = 0, row0 = 1, row1 = 0;
    std::size_t Cells() const { return column0 > column1 ? 0 : std::size_t{column1 - column0 + 1} * (row1 - row0 + 1); }
};

// The cells a box covers on the grid.
CellRange RangeOf(const SolidBox* box, const Grid& grid) {
    return TakesPart(box) ? CellRange{grid.Column(box->minX), grid.Column(box->maxX), grid.Row(box->minY),
                                      grid.Row(box->maxY)}
                          : CellRange{};
}

// Calls `use(cell)` for each cell of the range, row after row.
template <typename Use>
void ForEachCell(const CellRange& range, const Grid& grid, Use&& use) {
    for (std::size_t row = range.row0; row <= range.row1; ++row)
        for (std::size_t column = range.column0; column <= range.column1; ++column)
            use(row * grid.Columns() + column);
}

// A grid of cells about the size of the mean box, and no more cells than boxes, and how many
// boxes each cell holds (`counts`: one for each cell, then a 0). Where large boxes would be
// entered in a great many cells (a heap of large solids), the cells grow until the entries
// are a few times the boxes, as they always are in one cell; the counting stops as soon as a
// grid has too many.
Grid ChooseGrid(std::span<const SolidBox* const> boxes, std::size_t count, const SolidBox& extent,
                std::vector<std::uint32_t>& counts) {
    double sides = 0;
    for (const SolidBox* box : boxes)
        if (TakesPart(box)) sides += std::max(box->maxX - box->minX, box->maxY - box->minY);
    const double width = extent.maxX - extent.minX, height = extent.maxY - extent.minY;
    const double n = static_cast<double>(count);
    double cell = std::max({sides / n, width / n, height / n});
    if (!(cell > 0)) cell = 1;  // every box a point: one cell
    cell = std::max(cell, std::sqrt(width * height / n));
    for (;; cell *= 2) {
        Grid grid(extent, cell);
        const std::size_t mostEntries = 8 * count;
        counts.assign(grid.Cells() + 1, 0);
        std::size_t entries = 0;
        for (const SolidBox* box : boxes) {
            const CellRange range = RangeOf(box, grid);
            if ((entries += range.Cells()) > mostEntries) break;
            ForEachCell(range, grid, [&](std::size_t c) { ++counts[c]; });
        }
        if (entries <= mostEntries) return grid;
    }
}

}  // namespace

bool ForEachBoxPair(std::span<const SolidBox* const> boxes, double minArea,
                    const std::function<bool(std::uint32_t, std::uint32_t)>& visit) {
    SolidBox extent{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    std::size_t count = 0;
    for (const SolidBox* box : boxes) {
        if (!TakesPart(box)) continue;
        ++count;
        extent = {std::min(extent.minX, box->minX), std::min(extent.minY, box->minY),
                  std::max(extent.maxX, box->maxX), std::max(extent.maxY, box->maxY)};
    }
    if (count < 2) return true;
    // The boxes of each cell, in index order: cell c holds members[start[c] .. start[c + 1]).
    // Each box's cells are worked out again for each pass rather than kept: a few operations
    // a box, against 16 bytes a box more at the check's peak of memory. The counts become the
    // end of each cell's part, and then, boxes from the last, each cell is filled from its end.
    std::vector<std::uint32_t> start;
    const Grid grid = ChooseGrid(boxes, count, extent, start);
    const std::size_t cells = grid.Cells();
    for (std::size_t cell = 1; cell < cells; ++cell) start[cell] += start[cell - 1];
    start[cells] = start[cells - 1];
    std::vector<std::uint32_t> members(start[cells]);
    for (std::size_t i = boxes.size(); i-- > 0;)
        ForEachCell(RangeOf(boxes[i], grid), grid,
                    [&](std::size_t cell) { members[--start[cell]] = static_cast<std::uint32_t>(i); });

    // The pairs of the cells from `first` to `last`, in cell order, until `use` returns false.
    const auto forEachPairIn = [&](std::size_t first, std::size_t last, auto&& use) {
        for (std::size_t cell = first; cell < last; ++cell) {
            const std::size_t column = cell % grid.Columns(), row = cell / grid.Columns();
            for (std::uint32_t p = start[cell]; p < start[cell + 1]; ++p) {
                const SolidBox& a = *boxes[members[p]];
                for (std::uint32_t q = p + 1; q < start[cell + 1]; ++q) {
                    const SolidBox& b = *boxes[members[q]];
                    if (SharedArea(a, b) <= minArea || grid.Column(std::max(a.minX, b.minX)) != column ||
                        grid.Row(std::max(a.minY, b.minY)) != row)
                        continue;
                    if (!use(members[p], members[q])) return false;
                }
            }
        }
        return true;
    };
    // The cells are searched on every core in runs, each run keeping up to a few thousand
    // pairs, and the pairs are then visited run after run: the order is the cells' own. A run
    // with more pairs than it keeps (a heap of solids) is searched again as it is visited.
    constexpr std::size_t kRuns = 256, kKeptPerRun = 4096;
    const std::size_t runs = std::min(kRuns, grid.Cells());
    const auto firstCell = [&](std::size_t run) { return run * grid.Cells() / runs; };
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> found(runs);
    std::vector<char> searchedWhole(runs);  // not vector<bool>: written from several threads
    parallel::ForEach(runs, [&](std::size_t run) {
        searchedWhole[run] = forEachPairIn(firstCell(run), firstCell(run + 1), [&](std::uint32_t a, std::uint32_t b) {
            if (found[run].size() == kKeptPerRun) return false;
            found[run].emplace_back(a, b);
            return true;
        });
    });
    for (std::size_t run = 0; run < runs; ++run) {
        if (!searchedWhole[run]) {
            if (!forEachPairIn(firstCell(run), firstCell(run + 1), visit)) return false;
            continue;
        }
        for (const auto& [a, b] : found[run])
            if (!visit(a, b)) return false;
    }
    return true;
}
