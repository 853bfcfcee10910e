// Quantity texts and fitted names on any value, digit count, text, width and kind.
// Input: 8 bytes of a double, 1 byte of digits, 2 bytes of width, 1 byte of kind, the fill
// character's byte, then the text.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "FuzzSupport.h"
#include "base/Sjis.h"
#include "base/Format.h"

namespace {

std::string Repeat(std::string_view s, long count) {
    std::string out;
    for (long i = 0; i < count; ++i)
        out += s;
    return out;
}

// "1,234,567.50": the integer part grouped by three, then `decimals` digits.
void CheckQuantity(double value, int digits) {
    std::string text = FormatQuantity(value, digits);
    if (!std::isfinite(value))
        return;
    int decimals = digits >= 1 && digits <= 4 ? digits : 0;
    std::string_view t = text;
    bool negative = !t.empty() && t.front() == '-';
    if (negative)
        t.remove_prefix(1);
    std::size_t dot = t.find('.');
    std::string_view integer = t.substr(0, dot);
    FUZZ_CHECK((dot == std::string_view::npos) == (decimals == 0));
    if (decimals > 0)
        FUZZ_CHECK(t.size() - dot - 1 == static_cast<std::size_t>(decimals));
    std::string plain;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        bool commaHere = (integer.size() - i) % 4 == 0;
        FUZZ_CHECK((integer[i] == ',') == commaHere);
        if (!commaHere)
            plain += integer[i];
    }
    FUZZ_CHECK(!plain.empty() && (plain.size() == 1 || plain.front() != '0'));
    if (decimals > 0)
        plain += t.substr(dot);
    double shown = 0.0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), shown);
    FUZZ_CHECK(ec == std::errc{} && end == plain.data() + plain.size());
    if (negative)
        shown = -shown;
    // Within half a unit of the last decimal (and a little for the double's own rounding).
    double unit = std::pow(10.0, -decimals);
    FUZZ_CHECK(std::fabs(shown - value) <= unit / 2 + std::fabs(value) * 1e-15);
    FUZZ_CHECK(!negative || shown != 0.0);
}

void CheckGeneral(double value) {
    for (std::string text : {FormatDouble(value), FormatSingle(static_cast<float>(value))}) {
        FUZZ_CHECK(text.find_first_of(" ,") == std::string::npos);
        if (!std::isfinite(static_cast<float>(value)))
            continue;
        // The exponent is written "E+07": from_chars reads it as it is.
        double back = 0.0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
        FUZZ_CHECK(ec == std::errc{} && end == text.data() + text.size());
    }
    if (std::isfinite(value)) {
        std::string text = FormatDouble(value);
        double back = 0.0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
        // 15 digits of a value next to the largest double may round beyond it.
        if (ec == std::errc::result_out_of_range) {
            FUZZ_CHECK(std::fabs(value) > 1.79769313486e308);
            return;
        }
        FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14 + std::numeric_limits<double>::denorm_min());
    }
}

void CheckFit(std::string_view text, int width, int kind, std::string_view fill) {
    std::string fitted = FitText(text, width, kind, fill);
    long bytes = static_cast<long>(sjis::ByteWidth(WithoutUnderlineCodes(text)));
    long missing = std::max(0L, static_cast<long>(width) - bytes);
    switch (kind) {
        case 0:
            FUZZ_CHECK(fitted == std::string(text) + Repeat(fill, missing));
            break;
        case 1:
            FUZZ_CHECK(fitted == Repeat(fill, missing) + std::string(text));
            break;
        case 2: {
            // The text whole, fill on both sides, the left side at most one longer.
            std::size_t at = fitted.find(text);
            FUZZ_CHECK(at != std::string::npos);
            std::string left = fitted.substr(0, at), right = fitted.substr(at + text.size());
            FUZZ_CHECK(left == Repeat(fill, static_cast<long>(left.size() / std::max<std::size_t>(1, fill.size()))));
            FUZZ_CHECK(right == Repeat(fill, static_cast<long>(right.size() / std::max<std::size_t>(1, fill.size()))));
            FUZZ_CHECK(left.size() + right.size() <= static_cast<std::size_t>(missing + 1) * fill.size());
            break;
        }
        case 3:
            FUZZ_CHECK(fitted.starts_with(" " + std::string(text)));
            break;
        default:
            FUZZ_CHECK(fitted.empty());
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 13)
        return 0;
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    int digits = static_cast<std::int8_t>(data[8]);
    int width = static_cast<std::int16_t>(data[9] | data[10] << 8) % 600;  // names are short
    int kind = static_cast<std::int8_t>(data[11]) % 6;
    char fillByte = static_cast<char>(data[12]);
    std::string fill = fillByte >= 0x20 && fillByte < 0x7F ? std::string(1, fillByte) : std::string(" ");
    std::string text = sjis::Decode(std::string_view(reinterpret_cast<const char*>(data) + 13, size - 13));

    CheckQuantity(value, digits);
    CheckGeneral(value);
    CheckFit(text, width, kind, fill);
    return 0;
}
