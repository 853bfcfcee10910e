#include "host/JwRegistry.h"

#include <gtest/gtest.h>

#include "base/File.h"
#include "base/Sjis.h"

namespace {

std::string Fixture(const char* name) {
    return file::Read(std::string(VEMORA_TEST_DATA "/host/") + name).value();
}

// A REGEDIT4 export (code page 932) of one value under Jw_cad's key.
std::string Regedit4(std::string_view subKey, std::string_view valueLine) {
    return sjis::Encode("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\" + std::string(subKey) +
                        "]\r\n" + std::string(valueLine) + "\r\n");
}

const JwSettings kNoKey = ReadPenColours(*NoRegistry());

}  // namespace

TEST(JwRegistry, BothExportFormsGiveTheSameValues) {
    for (const char* name : {"jw-regedit4.reg", "jw-version5.reg"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<RegistrySource> reg = RegistryExport(Fixture(name));
        JwSettings jw = ReadPenColours(*reg);
        EXPECT_EQ(jw.background, 0xFFFFFF);
        const SolidColour pens[] = {0xFFFF00, 0, 0x8000, 0xFFFF, 0xFF00FF, 0xFF0000, 0x808000};
        for (int pen = 1; pen <= 7; ++pen) EXPECT_EQ(jw.pens[pen], pens[pen - 1]) << pen;
        EXPECT_EQ(jw.pens[8], kNoKey.pens[8]);  // "pink" is not hexadecimal
        EXPECT_EQ(jw.pens[9], kNoKey.pens[9]);  // missing
        EXPECT_EQ(jw.pens[10], 0);              // Color10 is not a pen colour of the table
        EXPECT_EQ(ReadReverse(*reg), 1u);
        EXPECT_EQ(ReadZFile(*reg), "D:\\設計\\ソフト表");  // trail bytes 0x5C before the closing quote
        EXPECT_EQ(reg->ReadText("Software\\Jw_cad\\jw_win\\Folder", "File"), "C:\\jww\\\"図面\"");
        EXPECT_EQ(reg->ReadText("software\\jw_cad\\JW_WIN\\folder", "zfile"), "D:\\設計\\ソフト表");
    }
}

TEST(JwRegistry, NoKeyGivesTheDefaults) {
    std::unique_ptr<RegistrySource> none = NoRegistry();
    EXPECT_EQ(ReadReverse(*none), 0u);
    EXPECT_EQ(ReadZFile(*none), "c:\\jww");
    EXPECT_EQ(kNoKey.background, kWhite);
    EXPECT_EQ(kNoKey.pens[2], kBlack);
    for (int pen = 1; pen <= 9; ++pen) EXPECT_NE(kNoKey.pens[pen], kWhite) << pen;  // visible on the background
    // The SXF colours, and nothing else, fill the rest of the table.
    EXPECT_EQ(kNoKey.pens[101], 0x000000);
    EXPECT_EQ(kNoKey.pens[102], 0x0000FF);
    EXPECT_EQ(kNoKey.pens[108], 0xFFFFFF);
    EXPECT_EQ(kNoKey.pens[116], 0x808080);
    for (int i : {0, 10, 100, 117, 356}) EXPECT_EQ(kNoKey.pens[i], 0) << i;
#ifndef _WIN32
    EXPECT_EQ(ReadZFile(*LiveRegistry()), "c:\\jww");
#endif
}

TEST(JwRegistry, PenColourIsHexadecimalText) {
    struct Case {
        const char* text;
        SolidColour colour;  // kNoKey.pens[1]: the fallback
    };
    const Case cases[] = {
        {"ffffff", 0xFFFFFF}, {"FfFfFf", 0xFFFFFF}, {"0", 0},
        {"0000ff", 0x0000FF}, {"ffffffff", -1},  // all 32 bits, as the program's long integer
        {"", kNoKey.pens[1]}, {"100000000", kNoKey.pens[1]},  // more than 32 bits
        {"0x10", kNoKey.pens[1]}, {"-1", kNoKey.pens[1]}, {" ff", kNoKey.pens[1]}, {"ff ", kNoKey.pens[1]},
    };
    for (const Case& c : cases) {
        JwSettings jw = ReadPenColours(*RegistryExport(Regedit4("Pen", "\"Color01\"=\"" + std::string(c.text) + "\"")));
        EXPECT_EQ(jw.pens[1], c.colour) << c.text;
    }
    // A number where text is expected is no colour.
    EXPECT_EQ(ReadPenColours(*RegistryExport(Regedit4("Pen", "\"Color01\"=dword:00000000"))).pens[1], kNoKey.pens[1]);
}

TEST(JwRegistry, FolderOfMoreThan255BytesGivesTheDefault) {
    struct Case {
        std::string folder;  // UTF-8
        bool readWhole;
    };
    std::string kana127;
    for (int i = 0; i < 127; ++i) kana127 += "あ";
    const Case cases[] = {
        {std::string(255, 'x'), true},
        {std::string(256, 'x'), false},
        {kana127 + "x", true},  // 255 bytes in code page 932, 382 in UTF-8
        {kana127 + "あ", false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<RegistrySource> reg = RegistryExport(Regedit4("Folder", "\"ZFILE\"=\"" + c.folder + "\""));
        EXPECT_EQ(ReadZFile(*reg), c.readWhole ? c.folder : "c:\\jww") << c.folder.size();
    }
}

TEST(JwRegistry, ExportParsingIsForgiving) {
    const std::string reverse = "[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=dword:00000002\r\n";
    struct Case {
        std::string bytes;
        std::uint32_t reverse;
    };
    const Case cases[] = {
        {"Windows Registry Editor Version 5.00\r\n\r\n" + reverse, 2},
        {"\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + reverse, 2},
        {"[Draw]\r\nReverse=1\r\n", 0},  // not a registry export
        {"REGEDIT4\r\n" + reverse.substr(0, reverse.size() - 6), 0},  // cut inside the number
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=dword:00000001\r\n", 0},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=\"1\"\r\n", 0},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Jw_cad\\jw_win\\Draw]\r\n\"Reverse\"=dword:123456789\r\n", 0},
        {"REGEDIT4\r\n[hkey_current_user\\software\\jw_cad\\jw_win\\draw]\r\n\"REVERSE\"=DWORD:0000000a\r\n", 10},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadReverse(*RegistryExport(c.bytes)), c.reverse) << c.bytes;
}

TEST(JwRegistry, CutUtf16ExportReadsWhatIsThere) {
    const std::string bytes = Fixture("jw-version5.reg");
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{3}, bytes.size() / 2 + 1, bytes.size() - 1}) {
        std::unique_ptr<RegistrySource> reg = RegistryExport(std::string_view(bytes).substr(0, size));
        EXPECT_EQ(ReadPenColours(*reg).pens[1], size > 3 ? 0xFFFF00 : kNoKey.pens[1]) << size;
    }
    // The last byte lost: the value before the cut still reads.
    EXPECT_EQ(ReadReverse(*RegistryExport(std::string_view(bytes).substr(0, bytes.size() - 1))), 1u);
}
