#include "base/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace numbers {

const char* ScanNumberGeneral(const char* p, const char* end, double& value) {
    // from_chars takes no "+".
    if (p != end && *p == '+' && ++p != end && (*p == '+' || *p == '-'))
        return nullptr;
    auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc{} || !std::isfinite(value))
        return nullptr;
    return ptr;
}

std::optional<double> ParseNumber(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    if (text.empty() || ScanNumber(text.data(), end, value) != end)
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> LeadingInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    std::uint64_t magnitude = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    if (ec == std::errc::result_out_of_range || magnitude > static_cast<std::uint64_t>(kMax))
        return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
    auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

}  // namespace numbers
