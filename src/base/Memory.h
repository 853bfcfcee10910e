// Large blocks that the program fills once (a drawing's bytes, its line lists): a hint to the
// system to back them with large pages. Where the first touch of every small page is dear, as
// on some virtual machines, filling 60 MB then costs a small fraction of the time.
#pragma once

#include <algorithm>
#include <cstddef>

namespace memory {

// Asks the system to back the block with large pages when it is first touched: on Linux the
// whole 2 MB pages inside it become transparent huge pages; elsewhere nothing is done. The
// block stays ordinary memory either way; it is only a hint.
void AdviseLargePages(void* data, std::size_t bytes);

// Reserves room for `count` elements and gives that advice for the whole block.
template <typename Container>
void ReserveLarge(Container& container, std::size_t count) {
    container.reserve(count);
    AdviseLargePages(container.data(), container.capacity() * sizeof(typename Container::value_type));
}

// Appends to a list that may grow large: when full it doubles (to at least 1024 elements),
// each new block given the same advice.
template <typename Container>
void PushBackLarge(Container& container, const typename Container::value_type& value) {
    if (container.size() == container.capacity())
        ReserveLarge(container, std::max<std::size_t>(2 * container.capacity(), 1024));
    container.push_back(value);
}

}  // namespace memory
