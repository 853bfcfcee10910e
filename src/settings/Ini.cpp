#include "settings/Ini.h"

#include "base/Sjis.h"
#include "base/Text.h"

namespace ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// The program reads values through a 255-character buffer: 254 bytes and the NUL.
constexpr std::size_t kMaxValueBytes = 254;

// The longest head of the text that takes at most maxBytes in code page 932; a character
// is never cut in half.
std::string_view CutToCodePage932(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes) return utf8;  // UTF-8 is never shorter than code page 932
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t n = text::FirstUtf8Sequence(utf8.substr(i)).size;
        std::size_t width = n == 1 ? 1 : sjis::ByteWidth(utf8.substr(i, n));
        if (used + width > maxBytes) break;
        used += width;
        i += n;
    }
    return utf8.substr(0, i);
}

// Both ends quoted alike: the private-profile functions drop one such pair.
std::string_view WithoutQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::string Decode(std::string_view bytes, bool utf8) {
    return utf8 ? std::string(bytes) : sjis::Decode(bytes);
}

std::string Encode(std::string_view text, bool utf8) {
    return utf8 ? std::string(text) : sjis::Encode(text);
}

}  // namespace

// Lines are interpreted on their decoded text: in code page 932 a trail byte may be "]" or
// a letter. "=" and blanks are below any trail byte, so byte offsets of them agree.
Document::Line Document::ParseLine(std::string bytes, bool utf8, bool inSection) {
    Line line;
    line.bytes = std::move(bytes);
    std::string decoded = Decode(line.bytes, utf8);
    std::string_view t = text::TrimBlanks(decoded);
    std::size_t close = t.rfind(']');
    if (!t.empty() && t.front() == '[' && close != std::string_view::npos) {
        line.kind = Kind::Section;
        line.name = t.substr(1, close - 1);
        return line;
    }
    std::size_t eq = t.find('=');
    if (!inSection || eq == std::string_view::npos) return line;  // not a key (or outside any section)
    line.kind = Kind::Key;
    line.name = text::TrimBlanks(t.substr(0, eq));
    line.value = t.substr(eq + 1);
    return line;
}

Document Document::Parse(std::string_view bytes) {
    Document doc;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        doc.utf8_ = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    bool inSection = false;
    for (std::string_view raw : text::SplitLines(bytes)) {
        doc.lines_.push_back(ParseLine(std::string(raw), doc.utf8_, inSection));
        inSection = inSection || doc.lines_.back().kind == Kind::Section;
    }
    return doc;
}

Document Document::Load(const std::string& path) {
    std::optional<std::string> bytes = file::Read(path);
    return bytes ? Parse(*bytes) : Document();
}

std::size_t Document::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && text::EqualsNoCase(lines_[i].name, section)) return i;
    return lines_.size();
}

// Only the first of duplicate sections is searched, and the first of duplicate keys counts,
// as with the Windows private-profile functions.
const Document::Line* Document::FindKey(std::string_view section, std::string_view key) const {
    for (std::size_t i = FindSection(section) + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Key && text::EqualsNoCase(lines_[i].name, key)) return &lines_[i];
    return nullptr;
}

// The fallback comes back unchanged (Windows would drop its trailing blanks): it is the
// caller's current value.
std::string Document::Get(std::string_view section, std::string_view key, std::string_view fallback) const {
    const Line* line = FindKey(section, key);
    if (!line) return std::string(fallback);
    std::string_view value = WithoutQuotes(text::TrimBlanks(line->value));
    value = value.substr(0, value.find('\0'));
    return std::string(CutToCodePage932(value, kMaxValueBytes));
}

void Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string clean(value.substr(0, value.find('\0')));
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';

    std::size_t header = FindSection(section);
    if (header == lines_.size()) {
        lines_.push_back(ParseLine(Encode("[" + std::string(section) + "]", utf8_), utf8_, false));
        lines_.push_back(ParseLine(Encode(std::string(key) + "=" + clean, utf8_), utf8_, true));
        return;
    }
    std::size_t insertAt = header + 1;  // after the section's last line that is not blank
    std::size_t i = header + 1;
    for (; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
        Line& line = lines_[i];
        if (line.kind == Kind::Key && text::EqualsNoCase(line.name, key)) {
            // Keep the key as the file spells it, and everything up to the "=".
            std::string bytes = line.bytes.substr(0, line.bytes.find('=') + 1) + Encode(clean, utf8_);
            line = ParseLine(std::move(bytes), utf8_, true);
            return;
        }
        if (!text::TrimBlanks(line.bytes).empty()) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  ParseLine(Encode(std::string(key) + "=" + clean, utf8_), utf8_, true));
}

std::string Document::Serialize() const {
    std::string out(utf8_ ? kUtf8Bom : std::string_view());
    for (const Line& line : lines_) {
        out += line.bytes;
        out += "\r\n";
    }
    return out;
}

file::WriteResult Update(const std::string& path, const std::function<void(Document&)>& edit) {
    Document doc = Document::Load(path);
    edit(doc);
    return file::WriteAtomic(path, doc.Serialize());
}

}  // namespace ini
