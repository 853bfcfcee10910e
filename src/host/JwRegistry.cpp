#include "host/JwRegistry.h"

#include <charconv>
#include <map>
#include <utility>
#include <variant>
#include <vector>

#include "base/Sjis.h"
#include "base/Text.h"
#include "host/Utf16Le.h"

namespace {

constexpr std::string_view kPenKey = "Software\\Jw_cad\\jw_win\\Pen";
constexpr std::string_view kDrawKey = "Software\\Jw_cad\\jw_win\\Draw";
constexpr std::string_view kFolderKey = "Software\\Jw_cad\\jw_win\\Folder";

// Stand-ins for pen colours 0..9 that the registry does not give. Jw_cad's factory RGB values
// are not known; this palette follows its usual colour names on a white background.
constexpr SolidColour kFallbackPens[10] = {
    RgbColour(255, 255, 255),  // 0 background: white
    RgbColour(0, 192, 255),    // 1 light blue
    RgbColour(0, 0, 0),        // 2 black
    RgbColour(0, 160, 0),      // 3 green
    RgbColour(255, 255, 0),    // 4 yellow
    RgbColour(255, 0, 255),    // 5 magenta
    RgbColour(0, 0, 255),      // 6 blue
    RgbColour(0, 128, 128),    // 7 dark cyan
    RgbColour(255, 0, 128),    // 8 red, shown pinkish
    RgbColour(128, 128, 128),  // 9 grey
};

// The 16 predefined SXF colours, pen colours 101..116, as red + 256 * green + 65536 * blue.
constexpr SolidColour kSxfColours[16] = {
    0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    0x8000C0, 0x4080C0, 0x0080FF, 0x80C080, 0xFF8000, 0xFF4080, 0xC0C0C0, 0x808080,
};

class EmptyRegistry : public RegistrySource {
public:
    std::optional<std::uint32_t> ReadDword(std::string_view, std::string_view) override { return std::nullopt; }

private:
    std::optional<std::string> ReadRawText(std::string_view, std::string_view) override { return std::nullopt; }
};

// --- Registry export files ---

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = text::FoldAscii(c);
    return out;
}

// The export as UTF-8: a BOM says UTF-16LE or UTF-8; without one, REGEDIT4 files are in
// code page 932 and version 5 files in UTF-8.
std::string ExportText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(bytes.substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
    if (bytes.starts_with("REGEDIT4")) return sjis::Decode(bytes);
    return std::string(bytes);
}

// Reads a quoted string with the escapes \\ and \" from the start of s and consumes it;
// nullopt when s does not start with a complete one.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (s[i] == '\\' && i + 1 < s.size()) ++i;
        out += s[i];
    }
    return std::nullopt;
}

// One to eight hexadecimal digits, either case, nothing else: a 32-bit number.
std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.empty() || digits.size() > 8 || ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

class ExportRegistry : public RegistrySource {
public:
    explicit ExportRegistry(std::string_view bytes) { Parse(ExportText(bytes)); }

    std::optional<std::uint32_t> ReadDword(std::string_view subKey, std::string_view name) override {
        const Value* v = Find(subKey, name);
        const std::uint32_t* d = v ? std::get_if<std::uint32_t>(v) : nullptr;
        return d ? std::optional<std::uint32_t>(*d) : std::nullopt;
    }

private:
    using Value = std::variant<std::string, std::uint32_t>;

    std::optional<std::string> ReadRawText(std::string_view subKey, std::string_view name) override {
        const Value* v = Find(subKey, name);
        const std::string* s = v ? std::get_if<std::string>(v) : nullptr;
        return s ? std::optional<std::string>(*s) : std::nullopt;
    }

    const Value* Find(std::string_view subKey, std::string_view name) const {
        auto it = values_.find({Lower(subKey), Lower(name)});
        return it == values_.end() ? nullptr : &it->second;
    }

    void Parse(const std::string& utf8) {
        std::vector<std::string_view> lines = text::SplitLines(utf8);
        if (lines.empty()) return;
        std::string_view header = text::TrimBlanks(lines.front());
        if (header != "Windows Registry Editor Version 5.00" && header != "REGEDIT4") return;

        constexpr std::string_view kRoot = "hkey_current_user\\";
        std::optional<std::string> key;  // lower-case sub key under HKEY_CURRENT_USER
        bool continued = false;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::string_view line = text::TrimBlanks(lines[i]);
            // hex values go on over lines ending in a backslash.
            bool continuation = continued;
            continued = !line.empty() && line.back() == '\\';
            if (continuation || line.empty()) continue;
            if (line.front() == '[' && line.back() == ']') {
                std::string path = Lower(line.substr(1, line.size() - 2));
                key = path.starts_with(kRoot) ? std::optional(path.substr(kRoot.size())) : std::nullopt;
                continue;
            }
            std::optional<std::string> name = TakeQuoted(line);
            if (!key || !name || !line.starts_with("=")) continue;
            line.remove_prefix(1);
            if (std::optional<std::string> s = TakeQuoted(line)) {
                values_[{*key, Lower(*name)}] = std::move(*s);
            } else if (text::EqualsNoCase(line.substr(0, 6), "dword:")) {
                if (std::optional<std::uint32_t> d = ParseHex(line.substr(6))) values_[{*key, Lower(*name)}] = *d;
            }
        }
    }

    std::map<std::pair<std::string, std::string>, Value> values_;
};

}  // namespace

std::unique_ptr<RegistrySource> NoRegistry() {
    return std::make_unique<EmptyRegistry>();
}

std::unique_ptr<RegistrySource> RegistryExport(std::string_view bytes) {
    return std::make_unique<ExportRegistry>(bytes);
}

#ifndef _WIN32
std::unique_ptr<RegistrySource> LiveRegistry() {
    return NoRegistry();
}
#endif

std::optional<std::string> RegistrySource::ReadText(std::string_view subKey, std::string_view name) {
    std::optional<std::string> text = ReadRawText(subKey, name);
    if (text && sjis::ByteWidth(*text) > 255) return std::nullopt;
    return text;
}

JwSettings ReadPenColours(RegistrySource& registry) {
    JwSettings settings;
    for (int pen = 0; pen <= 9; ++pen) {
        // Jw_cad keeps a colour as hexadecimal text; the program reads it as the literal "&H" + text.
        std::optional<std::string> text = registry.ReadText(kPenKey, "Color0" + std::to_string(pen));
        std::optional<std::uint32_t> colour = text ? ParseHex(*text) : std::nullopt;
        SolidColour value = colour ? static_cast<SolidColour>(*colour) : kFallbackPens[pen];
        if (pen == 0)
            settings.background = value;
        else
            settings.pens[static_cast<std::size_t>(pen)] = value;
    }
    for (std::size_t i = 0; i < 16; ++i) settings.pens[101 + i] = kSxfColours[i];
    return settings;
}

std::uint32_t ReadReverse(RegistrySource& registry) {
    return registry.ReadDword(kDrawKey, "Reverse").value_or(0);
}

std::string ReadZFile(RegistrySource& registry, std::string_view fallback) {
    return registry.ReadText(kFolderKey, "ZFILE").value_or(std::string(fallback));
}
