#include "base/Format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "base/Sjis.h"
#include "base/Text.h"

namespace {

// True when |value| * 10^digits lies exactly halfway between two integers. With
// |value| = M * 2^e (M the 53-bit integer mantissa) that holds when M's trailing zero bits
// number exactly -(e + digits + 1).
bool IsExactTie(double value, int digits) {
    if (value == 0.0 || !std::isfinite(value)) return false;
    int exp = 0;
    double fraction = std::frexp(std::fabs(value), &exp);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int e = exp - 53;
    return std::countr_zero(mantissa) + e + digits + 1 == 0;
}

// Adds one unit in the last place to a decimal digit string ("0.99" -> "1.00").
void IncrementLastDigit(std::string& s) {
    for (std::size_t i = s.size(); i-- > 0;) {
        if (s[i] == '.') continue;
        if (s[i] < '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
}

std::string GroupThousands(std::string_view integerPart) {
    std::string out;
    std::size_t n = integerPart.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += integerPart[i];
        std::size_t left = n - i - 1;
        if (left > 0 && left % 3 == 0) out += ',';
    }
    return out;
}

std::string Repeat(std::string_view s, long count) {
    std::string out;
    for (long i = 0; i < count; ++i) out += s;
    return out;
}

// Shared by FormatSingle and FormatDouble: round to `precision` significant digits, then
// choose fixed or exponent form as the general format does.
template <typename T>
std::string FormatGeneral(T value, int precision) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0) return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    bool negative = sci.front() == '-';
    if (negative) sci.remove_prefix(1);
    std::size_t ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (c != '.') digits += c;
    // to_chars writes the exponent with its sign, "e+07" or "e-05"; from_chars takes no "+".
    std::string_view exponentText = sci.substr(ePos + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= precision || exponent < -4) {
        out += digits.front();
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        int a = std::abs(exponent);
        if (a < 10) out += '0';
        out += std::to_string(a);
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        auto intDigits = static_cast<std::size_t>(exponent + 1);
        if (digits.size() <= intDigits) {
            out += digits + std::string(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    }
    return out;
}

}  // namespace

std::string FormatQuantity(double value, int digits) {
    if (digits < 1 || digits > 4) digits = 0;
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    double magnitude = std::fabs(value);
    std::string text;
    if (IsExactTie(magnitude, digits)) {
        // to_chars rounds ties to even; the quantity format rounds them away from zero.
        char buf[400];
        auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, digits + 1);
        text.assign(buf, static_cast<std::size_t>(res.ptr - buf - 1));
        if (text.back() == '.') text.pop_back();
        IncrementLastDigit(text);
    } else {
        char buf[400];
        auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, digits);
        text.assign(buf, static_cast<std::size_t>(res.ptr - buf));
    }
    std::size_t dot = text.find('.');
    std::string integerPart = text.substr(0, dot);
    std::string out = GroupThousands(integerPart);
    if (dot != std::string::npos) out += text.substr(dot);
    bool allZero = text.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !allZero) out.insert(out.begin(), '-');
    return out;
}

std::string WithoutUnderlineCodes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && (text[i + 1] == 'u' || text[i + 1] == 'U')) {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

int MeasuredWidth(std::string_view text) {
    return static_cast<int>(sjis::ByteWidth(WithoutUnderlineCodes(text)));
}

int CharCount(std::string_view utf8) {
    int n = 0;
    text::ForEachUtf8Sequence(utf8, [&](std::string_view, bool) { ++n; });
    return n;
}

std::string FitText(std::string_view text, int width, int kind, std::string_view fill) {
    long bytes = MeasuredWidth(text);
    long chars = CharCount(WithoutUnderlineCodes(text));
    long w = width;
    switch (kind) {
        case 0:
            return std::string(text) + Repeat(fill, w - bytes);
        case 1:
            return Repeat(fill, w - bytes) + std::string(text);
        case 2: {
            long c = bytes < w ? (w - bytes + 1) / 2 : 0;
            // The right fill is what is left of the field's characters, never the text.
            long right = std::min(c, std::max(0L, w - c - chars));
            return Repeat(fill, c) + std::string(text) + Repeat(fill, right);
        }
        case 3: {
            std::string out = " " + std::string(text);
            long left = w - 1 - chars;
            if (left > 0) out += " " + Repeat("・", left - 1);
            return out;
        }
        default:
            return {};
    }
}

std::string FormatSingle(float value) {
    return FormatGeneral(value, 7);
}

std::string FormatDouble(double value) {
    return FormatGeneral(value, 15);
}
