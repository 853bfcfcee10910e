// INI-format files (Vemora.INI, koumoku.INI, table files) with the semantics of the
// Windows private-profile functions, written portably. Files are code page 932 with CR LF;
// section names, keys and values are UTF-8 here.
//
//   [kihon]
//   rounding=3
//
// Differences from a familiar INI parser, on purpose: section and key names compare
// without regard to ASCII case; blanks around a value and one pair of enclosing quotes
// are dropped on reading; a value reads back cut to 254 bytes (in code page 932); every
// line the program does not change is written back byte for byte. A file that starts with
// a UTF-8 BOM is taken as UTF-8 and stays UTF-8 (with its BOM) when written back.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/File.h"

namespace ini {

// A parsed INI file held as its original lines, so that writes keep everything else.
class Document {
public:
    Document() = default;
    // Parses the bytes of a file (any line ends; a UTF-8 BOM marks a UTF-8 file).
    static Document Parse(std::string_view bytes);
    // The file's bytes, or an empty document when the file is missing or unreadable.
    static Document Load(const std::string& path);

    // The value of the first matching key of the first matching section, or `fallback`
    // when the section or key is missing.
    std::string Get(std::string_view section, std::string_view key, std::string_view fallback) const;
    // Whether the section holds the key (with any value, an empty one included).
    bool Has(std::string_view section, std::string_view key) const { return FindKey(section, key) != nullptr; }
    // Replaces the key's value in place, or appends the key to the section, or appends the
    // section at the end of the file. The value ends at a NUL; a CR or LF in it, which would
    // break the line, is written as a blank.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file as bytes (code page 932, CR LF).
    std::string Serialize() const;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string bytes;  // original bytes of the line, without line end
        Kind kind = Kind::Other;
        std::string name;   // section or key name (UTF-8)
        std::string value;  // key lines: everything after the first "=" (UTF-8)
    };
    static Line ParseLine(std::string bytes, bool utf8, bool inSection);
    std::size_t FindSection(std::string_view section) const;  // index of its header, or lines_.size()
    const Line* FindKey(std::string_view section, std::string_view key) const;  // the first one, or nullptr

    std::vector<Line> lines_;
    bool utf8_ = false;  // the file started with a UTF-8 BOM
};

// Loads the file (an empty document when it is missing or unreadable), lets `edit` change
// it and writes the whole file back at once, atomically and in the encoding it had. On
// failure the old file stays.
file::WriteResult Update(const std::string& path, const std::function<void(Document&)>& edit);

}  // namespace ini
