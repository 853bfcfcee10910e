// Small text helpers shared by the readers of line-oriented files (INI files, the list
// file, registry exports). They look only at ASCII bytes, so they are safe on UTF-8 and,
// for line ends and blanks, on code page 932 bytes too (trail bytes are 0x40 and above);
// FirstUtf8Sequence, for the code page 932 converters, is the one that reads UTF-8.
#pragma once

#include <string_view>
#include <vector>

namespace text {

// Splits text into lines at CR LF, bare LF or bare CR. A line end at the very end adds no
// empty line; the last line may lack its line end.
inline std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// Blanks and tabs removed from both ends.
inline std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The byte with an ASCII capital letter made small; every other byte as it is.
constexpr char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equality without regard to ASCII letter case. Safe on UTF-8. On code page 932 bytes only
// against an ASCII key: their trail bytes may be letters, but a lead byte is never ASCII, so
// a double-byte character never matches.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

// Whether `s` begins with `prefix`, ASCII letter case ignored (as Windows compares class
// names); the same caution on code page 932 as for EqualsNoCase.
inline bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

// The UTF-8 sequence at the start of `s`: its length in bytes and whether it is one
// well-formed character (no overlong form, surrogate or code point above U+10FFFF). An
// ill-formed sequence is the longest start of a character found there, or else one byte,
// so a broken character never swallows the bytes after it. Empty text gives {0, false}.
struct Utf8Sequence {
    std::size_t size = 0;
    bool valid = false;
};

inline Utf8Sequence FirstUtf8Sequence(std::string_view s) {
    if (s.empty()) return {};
    auto lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) return {1, true};
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte; later bytes take 0x80..0xBF
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong below
        if (lead == 0xED) high = 0x9F;  // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong below
        if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF above
    } else {
        return {1, false};  // a continuation byte, or a lead byte no character starts with
    }
    std::size_t size = 1;
    for (; size < length && size < s.size(); ++size) {
        auto b = static_cast<unsigned char>(s[size]);
        if (b < low || b > high) break;
        low = 0x80;
        high = 0xBF;
    }
    return {size, size == length};
}

// Calls `visit(sequence, valid)` for each UTF-8 sequence of the text in order, as
// FirstUtf8Sequence splits it: every ill-formed sequence is one call with valid = false.
template <typename Visit>
void ForEachUtf8Sequence(std::string_view s, Visit visit) {
    while (!s.empty()) {
        Utf8Sequence sequence = FirstUtf8Sequence(s);
        visit(s.substr(0, sequence.size), sequence.valid);
        s.remove_prefix(sequence.size);
    }
}

// The code point of one well-formed UTF-8 sequence.
inline char32_t DecodeUtf8(std::string_view sequence) {
    auto lead = static_cast<unsigned char>(sequence[0]);
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = lead & kLeadBits[sequence.size()];
    for (std::size_t i = 1; i < sequence.size(); ++i) c = (c << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    return c;
}

}  // namespace text
