#include "base/SolidColour.h"

#include <charconv>
#include <cstdint>

SolidColour ParseColourText(std::string_view text) {
    if (!text.empty() && text.front() == '#') {
        std::string_view digits = text.substr(1);
        if (digits.size() > 6) digits = digits.substr(digits.size() - 6);
        std::uint32_t rgb = 0;  // "RRGGBB", left-padded with zeros
        for (char c : digits) {
            int v = 0;
            if (c >= '0' && c <= '9') v = c - '0';
            else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
            rgb = rgb * 16 + static_cast<std::uint32_t>(v);
        }
        int red = static_cast<int>((rgb >> 16) & 0xFF);
        int green = static_cast<int>((rgb >> 8) & 0xFF);
        int blue = static_cast<int>(rgb & 0xFF);
        return RgbColour(red, green, blue);
    }
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const char* p = text.data();
    while (p != end && *p == ' ') ++p;
    if (p != end && *p == '+') ++p;
    auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc{} || value < INT32_MIN || value > INT32_MAX) return 0;
    return static_cast<SolidColour>(value);
}

namespace {

// Floor division, so that negative values (never written by the program) still give
// components in 0..255 as the integer arithmetic of the swatches does.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

std::string ColourRgbText(SolidColour colour) {
    std::int64_t v = colour;
    std::int64_t red = v - 256 * FloorDiv(v, 256);
    std::int64_t green = FloorDiv(v - 65536 * FloorDiv(v, 65536), 256);
    std::int64_t blue = FloorDiv(v, 65536);
    return "R:" + std::to_string(red) + " G:" + std::to_string(green) + " B:" + std::to_string(blue);
}

std::string ColourHexText(SolidColour colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::uint32_t v = static_cast<std::uint32_t>(colour);
    std::string out;
    for (int shift : {0, 8, 16}) {
        std::uint32_t c = (v >> shift) & 0xFF;
        out += kDigits[c >> 4];
        out += kDigits[c & 0xF];
    }
    return out;
}

int HexDigitIndex(std::string_view digit) {
    if (digit.size() != 1) return 0;
    char c = digit.front();
    if (c >= '0' && c <= '9') return c - '0' + 1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 11;
    return 0;
}

char UpperHexDigit(int number) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return (number >= 1 && number <= 16) ? kDigits[number - 1] : '0';
}
