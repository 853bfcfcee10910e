#include "output/handoff/JwWindows.h"

namespace handoff {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

TitleMatch MatchTitle(std::string_view title, std::string_view word) {
    if (EqualsNoCase(title, word))
        return TitleMatch::Exact;
    if (StartsWithNoCase(title, word))
        return TitleMatch::BeginsWith;
    if (title.size() >= word.size() && EqualsNoCase(title.substr(title.size() - word.size()), word))
        return TitleMatch::EndsWith;
    return TitleMatch::None;
}

}  // namespace handoff
