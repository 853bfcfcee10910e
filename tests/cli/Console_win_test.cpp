// vemora-cli writes UTF-8 to the console it shares with its caller, but the console's code
// page is the user's: the program gives it back when it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Runs vemora-cli with the arguments on this process's console; its exit status, or -1
// when it could not be started.
int RunCli(const std::wstring& arguments) {
    std::wstring command = L"\"" + std::filesystem::path(VEMORA_CLI).make_preferred().wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

}  // namespace

TEST(CliConsole, GivesTheConsoleItsCodePageBack) {
    const UINT own = GetConsoleOutputCP();
    if (own == 0) GTEST_SKIP() << "no console to share (Wine without a terminal)";
    ASSERT_TRUE(SetConsoleOutputCP(932));
    struct Case {
        const wchar_t* arguments;
        int status;
    };
    for (const Case& c : {Case{L"--version", 0}, Case{L"--no-such-option", 1}}) {
        EXPECT_EQ(RunCli(c.arguments), c.status) << c.arguments;
        EXPECT_EQ(GetConsoleOutputCP(), 932u) << c.arguments;
    }
    SetConsoleOutputCP(own);
}
