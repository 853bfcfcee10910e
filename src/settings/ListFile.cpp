#include "settings/ListFile.h"

#include "base/File.h"
#include "base/Sjis.h"
#include "base/Text.h"

// The line after a header is always an entry of that section, even an empty one or another
// header. Section names are whole lines: "[items] " is another section.
ListFile ParseListFile(std::string_view bytes) {
    ListFile list;
    std::vector<std::string_view> lines = text::SplitLines(bytes);
    std::string section;  // UTF-8
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i].front() == '[') {
            section = sjis::Decode(lines[i]);
            if (++i == lines.size()) break;  // a header on the last line: keep what was read
        }
        if (text::EqualsNoCase(section, "[items]"))
            list.items.push_back(sjis::Decode(lines[i]));
        else if (text::EqualsNoCase(section, "[tani]"))
            list.units.push_back(sjis::Decode(lines[i]));
    }
    return list;
}

ListFile ReadListFile(const std::string& path) {
    std::optional<std::string> bytes = file::Read(path);
    return bytes ? ParseListFile(*bytes) : ListFile{};
}
