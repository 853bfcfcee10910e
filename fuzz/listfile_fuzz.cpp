// The list-file reader on any bytes. The lists must not depend on the kind of line end
// (CR LF, LF, CR or a mix), and every entry is one whole line of the file.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "base/Sjis.h"
#include "settings/ListFile.h"

namespace {

// The same lines with every line end turned into `end`.
std::string WithLineEnds(std::string_view bytes, std::string_view end) {
    std::string out;
    for (std::string_view line : text::SplitLines(bytes)) {
        out += line;
        out += end;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ListFile list = ParseListFile(bytes);
    std::size_t lines = text::SplitLines(bytes).size();
    FUZZ_CHECK(list.items.size() + list.units.size() <= lines);
    for (const auto* entries : {&list.items, &list.units})
        for (const std::string& entry : *entries)
            FUZZ_CHECK(entry.find_first_of("\r\n") == std::string::npos);

    for (std::string_view end : {"\r\n", "\n", "\r"}) {
        ListFile other = ParseListFile(WithLineEnds(bytes, end));
        FUZZ_CHECK(other.items == list.items);
        FUZZ_CHECK(other.units == list.units);
    }
    return 0;
}
