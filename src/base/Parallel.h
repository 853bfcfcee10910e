// Independent pieces of work shared among the machine's cores.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace parallel {

// Calls `work(i)` once for every i below `count`, on as many threads as the machine has cores
// (the calling thread among them), handing out the indices a block at a time. The calls must
// not depend on one another. The first exception a call throws stops the handing out and is
// thrown again here once every thread has finished.
template <typename Work>
void ForEach(std::size_t count, const Work& work) {
    constexpr std::size_t kBlock = 16;
    const std::size_t threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                                      (count + kBlock - 1) / kBlock);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto run = [&] {
        try {
            for (std::size_t first; (first = next.fetch_add(kBlock)) < count;)
                for (std::size_t i = first; i < std::min(first + kBlock, count); ++i) work(i);
        } catch (...) {
            std::lock_guard lock(failureLock);
            if (!failure) failure = std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
    } catch (const std::system_error&) {
        // No more threads to be had: those running share the work.
    }
    run();
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace parallel
