// The layer-group selector on any text, against a regular-expression engine: for every
// element made of plain ASCII, "[" + element + "]" matched without regard to case decides,
// and an element the engine rejects matches nothing. The two deliberate differences: an
// empty element and a lone "^" match nothing (an engine may take "[^]" as "anything").
#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/SolidColour.h"
#include "output/ModeOutputs.h"

namespace {

// Printable ASCII without the characters that mean something else inside a bracket
// expression of the reference engine ("[" for classes, "\" for escapes) or end it.
bool PlainElement(std::string_view element) {
    for (char c : element)
        if (c < 0x20 || c > 0x7E || c == '[' || c == ']' || c == '\\')
            return false;
    return true;
}

std::vector<std::string_view> Elements(std::string_view selector) {
    std::vector<std::string_view> elements;
    for (std::size_t start = 0;;) {
        std::size_t comma = selector.find(',', start);
        elements.push_back(selector.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos)
            return elements;
        start = comma + 1;
    }
}

// The reference engine's answer for one element and each of the 16 group digits, or
// nullopt when it cannot judge the element.
std::optional<std::vector<bool>> Reference(std::string_view element) {
    if (!PlainElement(element))
        return std::nullopt;
    std::vector<bool> picks(17, false);
    if (element.empty() || element == "^")
        return picks;
    try {
        std::regex pattern("[" + std::string(element) + "]", std::regex::ECMAScript | std::regex::icase);
        for (int group = 1; group <= 16; ++group)
            picks[static_cast<std::size_t>(group)] = std::regex_match(std::string(1, UpperHexDigit(group)), pattern);
    } catch (const std::regex_error&) {
        // An invalid pattern picks nothing.
    }
    return picks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256)
        return 0;  // a selector is typed into the title box
    std::string_view selector(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> elements = Elements(selector);
    bool negatable = elements.size() == 1 && !selector.empty() && selector.front() != '^' && selector != "*";
    std::string negated = "^" + std::string(selector);
    bool anyMatch = false;
    std::vector<std::optional<std::vector<bool>>> references;
    for (std::string_view element : elements)
        references.push_back(Reference(element));
    for (int group = 1; group <= 16; ++group) {
        bool matches = LayerGroupMatches(selector, group);
        anyMatch = anyMatch || matches;
        if (selector == "*") {
            FUZZ_CHECK(matches);
            continue;
        }
        // A selector picks a group when one of its elements does ("*" counts only alone).
        bool split = false;
        for (std::string_view element : elements)
            split = split || (element != "*" && LayerGroupMatches(element, group));
        if (elements.size() > 1)
            FUZZ_CHECK(matches == split);
        bool judged = true;
        bool expected = false;
        for (const auto& reference : references) {
            judged = judged && reference.has_value();
            expected = expected || (reference && (*reference)[static_cast<std::size_t>(group)]);
        }
        if (judged)
            FUZZ_CHECK(matches == expected);
        // "^" before an element picks none of the groups the element picks.
        if (negatable && matches)
            FUZZ_CHECK(!LayerGroupMatches(negated, group));
    }
    // An element that picks something is valid, so its negation picks exactly the others.
    if (negatable && anyMatch)
        for (int group = 1; group <= 16; ++group)
            FUZZ_CHECK(LayerGroupMatches(negated, group) == !LayerGroupMatches(selector, group));
    return 0;
}
