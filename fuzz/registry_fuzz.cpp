// The registry export reader on any bytes: the values the program reads, within their
// limits. A version 5 export read as UTF-8 and the same text as UTF-16LE (as reg export
// writes it) must give the same values.
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "base/Sjis.h"
#include "host/JwRegistry.h"

namespace {

constexpr std::string_view kPen = "Software\\Jw_cad\\jw_win\\Pen";
constexpr std::string_view kDraw = "Software\\Jw_cad\\jw_win\\Draw";
constexpr std::string_view kFolder = "Software\\Jw_cad\\jw_win\\Folder";

// Valid UTF-8 to UTF-16LE with a BOM; nullopt for anything else.
std::optional<std::string> Utf16LeWithBom(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    auto unit = [&out](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > utf8.size())
            return std::nullopt;
        char32_t c = n == 1 ? lead : lead & (0x7F >> n);
        for (std::size_t j = 1; j < n; ++j) {
            auto b = static_cast<unsigned char>(utf8[i + j]);
            if ((b & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (b & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
        i += n;
    }
    return out;
}

struct Values {
    std::optional<std::string> texts[11];  // Color00..Color09, ZFILE
    std::optional<std::uint32_t> reverse;
    bool operator==(const Values&) const = default;
};

Values Read(RegistrySource& registry) {
    Values v;
    for (int pen = 0; pen <= 9; ++pen)
        v.texts[pen] = registry.ReadText(kPen, "Color0" + std::to_string(pen));
    v.texts[10] = registry.ReadText(kFolder, "ZFILE");
    v.reverse = registry.ReadDword(kDraw, "Reverse");
    for (const auto& t : v.texts)
        if (t)
            FUZZ_CHECK(sjis::ByteWidth(*t) <= 255);
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto registry = RegistryExport(bytes);
    Values values = Read(*registry);

    JwSettings jw = ReadPenColours(*registry);
    for (std::size_t i = 10; i <= 100; ++i)
        FUZZ_CHECK(jw.pens[i] == 0);
    FUZZ_CHECK(jw.pens[116] == 0x808080);
    FUZZ_CHECK(!ReadZFile(*registry).empty() || (values.texts[10] && values.texts[10]->empty()));

    if (bytes.starts_with("Windows Registry Editor Version 5.00")) {
        if (std::optional<std::string> wide = Utf16LeWithBom(bytes)) {
            auto same = RegistryExport(*wide);
            FUZZ_CHECK(Read(*same) == values);
        }
    }
    return 0;
}
