#include "platform/win32/ProgramPaths.h"

#include <gtest/gtest.h>

TEST(ProgramPaths, ArgumentsAfterTheProgramName) {
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"Vemora.exe /C2", " /C2"},
        {L"\"C:\\Program Files\\jww\\Vemora.exe\" /M3", " /M3"},
        {L"C:\\jww\\Vemora.exe\t\tC1 extra", "\t\tC1 extra"},
        {L"\"C:\\jww\\Vemora.exe\"M5", "M5"},  // quoted name directly followed by a word
        {L"\"unterminated", ""},
        {L"", ""},
    };
    for (const auto& [commandLine, arguments] : cases)
        EXPECT_EQ(ArgumentsAfterProgram(commandLine), arguments) << arguments;
}
