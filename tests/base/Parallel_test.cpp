#include "base/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

TEST(Parallel, CallsTheWorkOnceForEveryIndex) {
    for (std::size_t count : {0u, 1u, 17u, 10'000u}) {
        std::vector<std::atomic<int>> calls(count);
        parallel::ForEach(count, [&](std::size_t i) { ++calls[i]; });
        for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(calls[i], 1) << count << " " << i;
    }
}

// A failure inside the work reaches the caller instead of ending the program.
TEST(Parallel, ThrowsWhatTheWorkThrew) {
    const auto failAt500 = [](std::size_t i) {
        if (i == 500) throw std::runtime_error("no");
    };
    EXPECT_THROW(parallel::ForEach(10'000, failAt500), std::runtime_error);
}

}  // namespace
