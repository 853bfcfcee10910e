// Independent pieces of work shared among the machine's cores.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
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

// Independent items of work done ahead of a caller that needs them in the order of their
// index: while the calling thread goes on with work of its own, the machine's other cores take
// the items from the first. Need(i) returns once item i is done; the caller does it there
// itself when no other thread has begun it, and while it waits for one being done it takes
// the next item nobody has begun. An item that throws when done ahead is left undone, so that
// Need throws for it as it would have with no helper. Items not yet begun when the object is
// destroyed are not done.
template <typename Work>
class WorkAhead {
  public:
    // Helpers are started only where there are at least `itemsPerHelper` items for each.
    WorkAhead(std::size_t count, Work work, std::size_t itemsPerHelper)
        : count_(count), work_(std::move(work)), states_(std::make_unique<std::atomic<std::uint8_t>[]>(count)) {
        const std::size_t helpers = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()) - 1,
                                                          count / std::max<std::size_t>(itemsPerHelper, 1));
        try {
            for (std::size_t t = 0; t < helpers; ++t) helpers_.emplace_back([this] { Help(); });
        } catch (const std::system_error&) {
            // No more threads to be had: the caller does what the others leave.
        }
    }
    ~WorkAhead() {
        next_ = count_;
        for (std::thread& helper : helpers_) helper.join();
    }
    WorkAhead(const WorkAhead&) = delete;
    WorkAhead& operator=(const WorkAhead&) = delete;

    void Need(std::size_t i) {
        while (states_[i].load(std::memory_order_acquire) != kDone) {
            if (Claim(i)) {
                Do(i);
                return;
            }
            if (std::size_t next = next_.fetch_add(1); next < count_)
                DoAhead(next);
            else
                std::this_thread::yield();
        }
    }

  private:
    enum : std::uint8_t { kFree, kClaimed, kDone };

    bool Claim(std::size_t i) {
        std::uint8_t expected = kFree;
        return states_[i].compare_exchange_strong(expected, kClaimed, std::memory_order_acquire);
    }

    void Do(std::size_t i) {
        work_(i);
        states_[i].store(kDone, std::memory_order_release);
    }

    // Does item i unless another thread has begun it; false when it threw.
    bool DoAhead(std::size_t i) {
        if (!Claim(i))
            return true;
        try {
            Do(i);
        } catch (...) {
            states_[i].store(kFree, std::memory_order_release);
            return false;
        }
        return true;
    }

    void Help() {
        for (std::size_t i; (i = next_.fetch_add(1)) < count_;)
            if (!DoAhead(i))
                return;
    }

    std::size_t count_;
    Work work_;
    std::unique_ptr<std::atomic<std::uint8_t>[]> states_;
    std::atomic<std::size_t> next_{0};
    std::vector<std::thread> helpers_;
};

}  // namespace parallel
