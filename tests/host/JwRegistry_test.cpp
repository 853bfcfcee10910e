// Jw_cad's registry values from exports and without a key, driven by
// tests/data/output/host/registry.txt: each command line reads a source, and the indented line
// after it says what Vemora takes from it. VEMORA_UPDATE_GOLDEN=1 writes the run back into the
// file instead, to be reviewed.
//
//   pen "Color09"="0x10"
//     -> pen 9 808080
#include "host/JwRegistry.h"

#include <gtest/gtest.h>

#include "base/File.h"
#include "base/Sjis.h"
#include "base/Text.h"

namespace {

// A command's text with its escapes \r, \n and \xHH (any byte); other backslashes stand for themselves.
std::string Unescape(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() && text[i] == '\\' ? text[i + 1] : '\0';
        if (next == 'r' || next == 'n') bytes += next == 'r' ? '\r' : '\n', ++i;
        else if (next == 'x') bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16)), i += 3;
        else bytes += text[i];
    }
    return bytes;
}

// A REGEDIT4 export (code page 932) of one value line under Jw_cad's key.
std::unique_ptr<RegistrySource> Regedit4(std::string_view subKey, std::string_view valueLine) {
    return RegistryExport(sjis::Encode("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\" +
                                       std::string(subKey) + "]\r\n" + std::string(valueLine) + "\r\n"));
}

// What the program takes from a source: background, pens 1 to 10, drawing order, ZFILE.
std::string Values(RegistrySource& source) {
    JwSettings jw = ReadPenColours(source);
    std::string pens;
    for (int pen = 1; pen <= 10; ++pen) pens += " " + ColourHexText(jw.pens[pen]);
    return "background " + ColourHexText(jw.background) + ", pens" + pens + ", reverse " +
           std::to_string(ReadReverse(source)) + ", ZFILE " + ReadZFile(source);
}

std::string Take(const std::string& line, std::unique_ptr<RegistrySource>& last) {
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space), text = space == std::string::npos ? "" : line.substr(space + 1);
    if (command == "none") {  // no key at all; the SXF colours fill pens 101 to 116, nothing else the rest
        JwSettings jw = ReadPenColours(*NoRegistry());
        std::string others;
        for (int pen : {0, 11, 100, 101, 102, 108, 116, 117, 356}) others += " " + std::to_string(pen) + ":" + ColourHexText(jw.pens[pen]);
        return Values(*(last = NoRegistry())) + ", pens" + others;
    }
    if (command == "file") {  // a fixture of tests/data/host; where a number follows, its first bytes only
        const std::string name = text.substr(0, text.find(' '));
        std::string bytes = file::Read(VEMORA_TEST_DATA "/host/" + name).value_or("");
        if (name != text) bytes.resize(std::stoul(text.substr(name.size() + 1)));
        return Values(*(last = RegistryExport(bytes)));
    }
    if (command == "export") return Values(*(last = RegistryExport(Unescape(text))));
    if (command == "pen") return "pen 9 " + std::to_string(ReadPenColours(*Regedit4("Pen", Unescape(text))).pens[9]);
    if (command == "folder") return "ZFILE " + ReadZFile(*Regedit4("Folder", Unescape(text)));
    if (command == "text") return last->ReadText(text.substr(0, text.find(' ')), text.substr(text.find(' ') + 1)).value_or("missing");
    ADD_FAILURE() << "unknown command " << command;
    return "";
}

}  // namespace

TEST(JwRegistry, ExportsAndDefaults) {
    const std::string path = VEMORA_TEST_DATA "/output/host/registry.txt";
    const std::string script = file::Read(path).value_or("");
    std::string transcript;
    std::unique_ptr<RegistrySource> last = NoRegistry();
    for (std::string_view line : text::SplitLines(script)) {
        if (line.starts_with("  ")) continue;
        transcript += std::string(line) + "\n";
        if (!line.empty() && !line.starts_with("#")) transcript += "  -> " + Take(std::string(line), last) + "\n";
    }
    if (std::getenv("VEMORA_UPDATE_GOLDEN")) { EXPECT_TRUE(file::WriteAtomic(path, transcript)); }
    EXPECT_EQ(transcript, script);
}
