#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// Short plain decimals take a fast path of their own; it must give exactly what from_chars
// gives (the sign of zero included), next to texts that take from_chars itself: more than
// 15 digits (the two "beyond 2^53" texts would round twice if their digits were rounded
// first), values around 2^53, exponents, a leading "+", forms from_chars reads only in part.
TEST(Numbers, ParseNumberGivesWhatFromCharsGives) {
    const char* const texts[] = {
        "0", "-0", "+5", "+0.5", ".5", "-.5", "5.", "-5.", "1e5", "1E", "5e", "1.5E+03", "1e400", "1e-400",
        "-2500.5", "0.1", "0.3", "2.675", "1234.5678", "123456789012345", "1234567890123456", "12345678901234567",
        "99999999999999.9", "0.12345678901234", "0.123456789012345", "0.1234567890123456", "1.00000000000001",
        "0.000000000000001", "3.14159265358979323846", "-0.000000000000000", "98807.17017905831",
        "5271435969026.1693", "9007199254740991", "9007199254740992", "9007199254740993", "-9007199254740993",
        "900719925474.0993", "999999999999999", "1000000000000000", "18446744073709551616", "0000000000000000000001",
        "", "+", "-", ".", "+.", "1.2.3", "1,5", " 1", "1 ", "++1", "+-1", "inf", "nan",
    };
    for (std::string_view text : texts) {
        std::string_view plain = text.starts_with('+') ? text.substr(1) : text;  // from_chars takes no "+"
        double expected = 0.0;
        auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), expected);
        std::optional<double> parsed = numbers::ParseNumber(text);
        if (ec != std::errc{} || ptr != plain.data() + plain.size() || text.starts_with("+-") || !std::isfinite(expected)) {
            EXPECT_FALSE(parsed) << '"' << text << '"';
            continue;
        }
        ASSERT_TRUE(parsed) << '"' << text << '"';
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*parsed), std::bit_cast<std::uint64_t>(expected)) << text;

        // Inside a record the number ends at the blank before the next field.
        std::string record = std::string(text) + " 7";
        double scanned = 0.0;
        const char* end = numbers::ScanNumber(record.data(), record.data() + record.size(), scanned);
        EXPECT_EQ(end, record.data() + text.size()) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(scanned), std::bit_cast<std::uint64_t>(expected)) << text;
    }
}

}  // namespace
