// The INI layer on any file: parse, set one key, write, parse again. Every other key must
// read as before, the written key must read back, and every line of the file but the one
// set (or the ones added) must come back byte for byte.
//
// Input: the file's bytes, then (after \x1e separators) the section, the key and the value
// to set. Section and key keep only letters, digits and "_", as the program's names do.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "SettingsCheck.h"
#include "base/Sjis.h"
#include "settings/Ini.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The key's value, or nullopt when the section or key is missing: a value read with two
// different fallbacks is the stored one only when both reads agree.
std::optional<std::string> Value(const ini::Document& doc, std::string_view section, std::string_view key) {
    std::string a = doc.Get(section, key, "\x01");
    return a == doc.Get(section, key, "\x02") ? std::optional<std::string>(a) : std::nullopt;
}

std::string Name(std::string_view raw, std::string_view fallback) {
    std::string name;
    for (char c : raw)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
            name += c;
    return name.empty() ? std::string(fallback) : name;
}

// Section and key names as a reader of the file would see them: "[name]" lines and the
// text before the first "=" of the lines under them. A superset is fine: Get decides.
std::vector<std::pair<std::string, std::string>> NamedKeys(std::string_view bytes) {
    bool utf8 = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (utf8)
        bytes.remove_prefix(kUtf8Bom.size());
    std::vector<std::pair<std::string, std::string>> keys;
    std::string section;
    for (std::string_view raw : text::SplitLines(bytes)) {
        std::string line = utf8 ? std::string(raw) : sjis::Decode(raw);
        std::string_view t = text::TrimBlanks(line);
        if (!t.empty() && t.front() == '[' && t.find(']') != std::string_view::npos) {
            section = std::string(t.substr(1, t.rfind(']') - 1));
            continue;
        }
        std::size_t eq = t.find('=');
        if (eq != std::string_view::npos)
            keys.emplace_back(section, std::string(text::TrimBlanks(t.substr(0, eq))));
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> parts = fuzz::Parts(std::string_view(reinterpret_cast<const char*>(data), size), 4);
    const std::string_view file = parts[0];
    const std::string section = Name(parts[1], "kihon");
    const std::string key = Name(parts[2], "Keta");
    const std::string_view value = parts[3];

    ini::Document before = ini::Document::Parse(file);
    ini::Document changed = before;
    changed.Set(section, key, value);
    const std::string written = changed.Serialize();
    ini::Document after = ini::Document::Parse(written);

    // Written bytes parse to the same file again.
    FUZZ_CHECK(after.Serialize() == written);

    // Every other key reads as before.
    for (const auto& [s, k] : NamedKeys(file)) {
        if (text::EqualsNoCase(s, section) && text::EqualsNoCase(k, key))
            continue;
        FUZZ_CHECK(Value(after, s, k) == Value(before, s, k));
    }

    // The key reads back; a value the format carries reads back exactly.
    std::optional<std::string> back = Value(after, section, key);
    FUZZ_CHECK(back.has_value());
    bool utf8File = file.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (fuzz::Carried(value, utf8File))
        FUZZ_CHECK(*back == value);

    // Nothing else changed: the old lines, in order, with one replaced or one or two added.
    // A UTF-8 file keeps its byte order mark in front of the first line.
    auto withoutBom = [](std::string_view bytes) {
        return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom ? bytes.substr(kUtf8Bom.size()) : bytes;
    };
    const std::string original = before.Serialize();
    FUZZ_CHECK((original.substr(0, kUtf8Bom.size()) == kUtf8Bom) == (written.substr(0, kUtf8Bom.size()) == kUtf8Bom));
    std::vector<std::string_view> oldLines = fuzz::WrittenLines(withoutBom(original));
    std::vector<std::string_view> newLines = fuzz::WrittenLines(withoutBom(written));
    if (newLines.size() == oldLines.size()) {
        std::size_t replaced = 0;
        for (std::size_t i = 0; i < oldLines.size(); ++i)
            replaced += oldLines[i] != newLines[i] ? 1 : 0;
        FUZZ_CHECK(replaced <= 1);
    } else {
        FUZZ_CHECK(newLines.size() <= oldLines.size() + 2);
        std::size_t i = 0;
        for (std::size_t j = 0; j < newLines.size() && i < oldLines.size(); ++j)
            if (newLines[j] == oldLines[i])
                ++i;
        FUZZ_CHECK(i == oldLines.size());
    }
    return 0;
}
