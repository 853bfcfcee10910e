#include "platform/win32/ProgramPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/File.h"
#include "base/Utf16.h"

TEST(ProgramPaths, ArgumentsAfterTheProgramName) {
    struct Case {
        const wchar_t* commandLine;
        const char* arguments;
    };
    const Case cases[] = {
        {L"Vemora.exe /C2", " /C2"},
        {L"\"C:\\Program Files\\jww\\Vemora.exe\" /M3", " /M3"},
        {L"\"C:\\Program Files\\jww\\Vemora.exe\"", ""},
        {L"C:\\jww\\Vemora.exe", ""},
        {L"C:\\jww\\Vemora.exe\t\tC1 extra", "\t\tC1 extra"},
        {L"\"C:\\jww\\Vemora.exe\"M5", "M5"},  // quoted name directly followed by a word
        {L"\"unterminated", ""},
        {L"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArgumentsAfterProgram(c.commandLine), c.arguments) << c.arguments;
}

TEST(ProgramPaths, ProgramFolderIsTheFolderOfTheExecutable) {
    std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::path(utf16::Widen(folder)).is_absolute()) << folder;  // not the working folder
    EXPECT_TRUE(file::Exists(file::Join(folder, "platform_tests.exe"))) << folder;
}
