// Numbers in exchange records and in the rounding and unit settings, read without regard to
// the locale: "-2500.5", "1.5E+03", ".5".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace numbers {

// The whole text as a finite decimal number. A leading "+" is accepted, as the numeric
// conversions of the settings and of the item-table reader accept it; blanks, a trailing
// unit, "inf" and "nan" are not. nullopt when the text is not such a number.
std::optional<double> ParseNumber(std::string_view text);

// ScanNumber for texts other than plain decimals of at most 15 digits.
const char* ScanNumberGeneral(const char* p, const char* end, double& value);

// Reads the number that starts at `p` (as ParseNumber reads it) and returns where it ends,
// or nullptr when no finite number starts there. For fields inside a record.
inline const char* ScanNumber(const char* p, const char* end, double& value) {
    // Coordinates are plain decimals of a few digits. For those, the digits as an integer
    // and the power of ten are both exact doubles, so the one division rounds correctly and
    // gives what from_chars gives, many times faster. Inline, as it runs for every field.
    constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kExactDigits = 15;  // below 2^53
    auto digit = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c) - '0'); };
    const char* begin = p;
    bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    std::uint64_t digits = 0;  // may wrap for long texts, which then take the general path
    int count = 0, decimals = 0;
    for (; p != end && digit(*p) < 10; ++p, ++count)
        digits = digits * 10 + digit(*p);
    if (p != end && *p == '.')
        for (++p; p != end && digit(*p) < 10; ++p, ++count, ++decimals)
            digits = digits * 10 + digit(*p);
    if (count == 0 || count > kExactDigits || (p != end && (*p == 'e' || *p == 'E')))
        return ScanNumberGeneral(begin, end, value);
    double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return p;
}

// The integer at the start of the text after any blanks ("5", " 12abc", "-3"), in the way a
// pen colour number or a colour value is read from the rest of a record. A value beyond
// the 64-bit range saturates. nullopt when no digit follows the optional sign.
std::optional<std::int64_t> LeadingInteger(std::string_view text);

}  // namespace numbers
