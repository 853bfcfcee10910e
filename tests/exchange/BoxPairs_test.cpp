#include "exchange/BoxPairs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <span>
#include <utility>
#include <vector>

namespace {

using Pairs = std::multiset<std::pair<std::uint32_t, std::uint32_t>>;

std::vector<const SolidBox*> Addresses(const std::vector<SolidBox>& boxes) {
    std::vector<const SolidBox*> addresses;
    for (const SolidBox& box : boxes) addresses.push_back(&box);
    return addresses;
}

// The pairs in the order visited, the search stopped after `limit` of them.
std::vector<std::pair<std::uint32_t, std::uint32_t>> VisitedPairs(const std::vector<const SolidBox*>& boxes,
                                                                  double minArea, std::size_t limit = SIZE_MAX) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> visited;
    const bool whole = ForEachBoxPair(boxes, minArea, [&](std::uint32_t i, std::uint32_t j) {
        EXPECT_LT(i, j);
        visited.emplace_back(i, j);
        return visited.size() < limit;
    });
    EXPECT_EQ(whole, visited.size() < limit);
    return visited;
}

Pairs FoundPairs(const std::vector<const SolidBox*>& boxes, double minArea) {
    const auto visited = VisitedPairs(boxes, minArea);
    return Pairs(visited.begin(), visited.end());
}

// Every pair tested: the answer the grid must give.
Pairs AllPairs(const std::vector<SolidBox>& boxes, double minArea) {
    Pairs pairs;
    for (std::uint32_t i = 0; i < boxes.size(); ++i)
        for (std::uint32_t j = i + 1; j < boxes.size(); ++j) {
            const SolidBox &a = boxes[i], &b = boxes[j];
            const double w = std::min(a.maxX, b.maxX) - std::max(a.minX, b.minX);
            const double h = std::min(a.maxY, b.maxY) - std::max(a.minY, b.minY);
            if (w > 0 && h > 0 && w * h > minArea) pairs.insert({i, j});
        }
    return pairs;
}

TEST(BoxPairs, FindsEachPairThatSharesMoreThanTheAreaOnce) {
    const std::vector<SolidBox> boxes = {
        {0, 0, 1000, 1000},      // 0
        {1000, 0, 2000, 1000},   // 1: touches 0 only
        {-50, -50, 5000, 5000},  // 2: over everything, across many cells
        {500, 500, 1500, 1500},  // 3: shares a quarter with 0 and with 1
        {1, 1, 0, 0},            // 4: no box
        {NAN, 0, 10, 10},        // 5: no box
        {900, 999.5, 901, 1000.5},  // 6: shares 0.5 mm² with 0, exactly 1 mm² with 2 and 3
        {900, 999, 902, 1001},      // 7: shares 2 mm² with 0, 4 mm² with 2 and 3, 1 mm² with 6
    };
    std::vector<const SolidBox*> addresses = Addresses(boxes);
    EXPECT_EQ(FoundPairs(addresses, 1.0), (Pairs{{0, 2}, {0, 3}, {0, 7}, {1, 2}, {1, 3}, {2, 3}, {2, 7}, {3, 7}}));
    EXPECT_EQ(FoundPairs({addresses[0]}, 1.0), Pairs{});
    addresses[3] = nullptr;  // takes no part
    EXPECT_EQ(FoundPairs(addresses, 1.0), (Pairs{{0, 2}, {0, 7}, {1, 2}, {2, 7}}));

    EXPECT_EQ(VisitedPairs(addresses, 1.0, 2).size(), 2u);
}

// Random layouts against every pair: rooms spread out, a heap in one place, boxes on one line,
// a third of the boxes far larger than the others, points and thin strips among them.
TEST(BoxPairs, GivesWhatTestingEveryPairGives) {
    std::mt19937 random(7);
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    for (int layout = 0; layout < 5; ++layout) {
        std::vector<SolidBox> boxes;
        for (int i = 0; i < 1500; ++i) {
            const double spread = layout == 1 ? 100 : 1e5;
            const double x = std::round(uniform(0, spread)), y = layout == 2 ? 0 : std::round(uniform(0, spread));
            double w = std::round(uniform(0, 3000)), h = std::round(uniform(0, 3000));
            if (layout == 3 && i % 3 == 0) w = h = 4e4;  // so many cells each that the cells grow
            if (layout == 4) (i % 2 ? w : h) = i % 3 ? 0 : 2e4;
            boxes.push_back({x, y, x + w, y + h});
        }
        const auto visited = VisitedPairs(Addresses(boxes), 1.0);
        EXPECT_EQ(Pairs(visited.begin(), visited.end()), AllPairs(boxes, 1.0)) << "layout " << layout;
        // A search stopped early has visited the first pairs of the whole search.
        for (std::size_t limit : {std::size_t{1}, visited.size() / 3, visited.size() - 1}) {
            EXPECT_TRUE(std::ranges::equal(VisitedPairs(Addresses(boxes), 1.0, limit), std::span(visited).first(limit)))
                << "layout " << layout << ", " << limit << " pairs";
        }
    }
}

}  // namespace
