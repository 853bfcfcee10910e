// Shared by the fuzz targets: one input split into several files, a notifier that shows
// nothing, the check macro, and the oracle for "a rewrite keeps every figure line".
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/Notifier.h"
#include "base/Text.h"

// A failed property is a finding: report it and abort, so that libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// Inputs that hold several files separate them with this byte (ASCII record separator),
// which none of the program's formats uses.
constexpr char kPartSeparator = '\x1e';

// The first `count` parts of the input; missing parts are empty, and the last part keeps
// any further separators.
inline std::vector<std::string_view> Parts(std::string_view data, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        std::size_t at = data.find(kPartSeparator);
        if (at == std::string_view::npos)
            break;
        parts.push_back(data.substr(0, at));
        data.remove_prefix(at + 1);
    }
    parts.push_back(data);
    parts.resize(count);
    return parts;
}

// Messages go unseen; questions get the safe answer, as vemora-cli gives it.
class SilentNotifier : public Notifier {
  public:
    Answer Show(const Message& message) override { return SafeAnswer(message.buttons); }
};

// The lines of an exchange file that a rewrite must give back byte for byte: every line
// after the first except the ones the reader uses up, the "lc10 " colour records and the
// "hhp1ch" title records (whose title line takes their place and is kept).
inline std::vector<std::string_view> KeptInputLines(std::string_view exchange) {
    std::vector<std::string_view> lines = text::SplitLines(exchange);
    std::vector<std::string_view> kept;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (text::StartsWithNoCase(line, "lc10 "))
            continue;
        if (text::EqualsNoCase(line.substr(0, line.find(' ')), "hhp1ch")) {
            if (i + 1 < lines.size())
                kept.push_back(lines[++i]);
            continue;
        }
        kept.push_back(line);
    }
    return kept;
}

// Lines of a file the program wrote: every line ends in CR LF, and no CR or LF stands
// anywhere else.
inline std::vector<std::string_view> WrittenLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        std::size_t end = bytes.find("\r\n");
        FUZZ_CHECK(end != std::string_view::npos);
        std::string_view line = bytes.substr(0, end);
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
        lines.push_back(line);
        bytes.remove_prefix(end + 2);
    }
    return lines;
}

// Lines a rewrite writes of its own: "hd", the empty line after each block, and the
// colour and layer records before each row's solids.
inline bool WrittenByTheRewrite(std::string_view line) {
    auto digits = [](std::string_view s) {
        if (!s.empty() && s.front() == '-')
            s.remove_prefix(1);
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return line.empty() || line == "hd" || (line.starts_with("lc10 ") && digits(line.substr(5))) ||
           (line.size() == 3 && line.starts_with("ly") &&
            std::string_view("0123456789ABCDEF").find(line[2]) != std::string_view::npos);
}

// Every kept line of the exchange file stands in the rewrite exactly as often as in the
// input (at least as often, for lines that look like the rewrite's own).
inline void CheckRewriteKeepsLines(std::string_view exchange, std::string_view rewrite) {
    std::unordered_map<std::string_view, long> count;
    for (std::string_view line : KeptInputLines(exchange))
        ++count[line];
    for (std::string_view line : WrittenLines(rewrite)) {
        if (--count[line] < 0 && !WrittenByTheRewrite(line)) {
            std::fprintf(stderr, "line written more often than read: \"%.*s\"\n", static_cast<int>(line.size()),
                         line.data());
            std::abort();
        }
    }
    for (const auto& [line, left] : count) {
        if (left > 0) {
            std::fprintf(stderr, "line lost by the rewrite: \"%.*s\"\n", static_cast<int>(line.size()), line.data());
            std::abort();
        }
    }
}

}  // namespace fuzz
