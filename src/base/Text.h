// Small text helpers shared by the readers of line-oriented files (INI files, the list
// file, registry exports). They look only at ASCII bytes, so they are safe on UTF-8 and,
// for line ends and blanks, on code page 932 bytes too (trail bytes are 0x40 and above).
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

}  // namespace text
