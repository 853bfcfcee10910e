#include "host/JwWindows.h"

#include "base/Text.h"

namespace handoff {

TitleMatch MatchTitle(std::string_view title, std::string_view word) {
    if (text::EqualsNoCase(title, word))
        return TitleMatch::Exact;
    if (text::StartsWithNoCase(title, word))
        return TitleMatch::BeginsWith;
    if (title.size() >= word.size() && text::EqualsNoCase(title.substr(title.size() - word.size()), word))
        return TitleMatch::EndsWith;
    return TitleMatch::None;
}

}  // namespace handoff
