#include "base/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
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

// Items needed in order are each done once, by a helper or by the caller, and done when
// Need returns; those never needed may be left. An item that throws throws for the caller.
TEST(Parallel, WorkAheadDoesEachNeededItemOnceBeforeItIsNeeded) {
    for (std::size_t count : {1u, 17u, 10'000u}) {
        for (std::size_t needed : {count, count / 2}) {
            std::vector<std::atomic<int>> calls(count);
            {
                parallel::WorkAhead ahead(count, [&](std::size_t i) { ++calls[i]; }, 1);
                for (std::size_t i = 0; i < needed; ++i) {
                    ahead.Need(i);
                    ASSERT_EQ(calls[i], 1) << count << " " << i;
                }
            }
            for (std::size_t i = 0; i < count; ++i) ASSERT_LE(calls[i], 1) << count << " " << i;
        }
    }
    // Items that take a while, so that the caller often waits and takes later items itself.
    const auto slowFailingFrom500 = [](std::size_t i) {
        std::this_thread::sleep_for(std::chrono::microseconds(20));
        if (i >= 500) throw std::runtime_error("no");
    };
    parallel::WorkAhead ahead(1'000, slowFailingFrom500, 1);
    for (std::size_t i = 0; i < 500; ++i) ASSERT_NO_THROW(ahead.Need(i)) << i;
    EXPECT_THROW(ahead.Need(500), std::runtime_error);
}

}  // namespace
