#include "cli/Console.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "base/Utf16.h"

namespace {

UINT userOutputCodePage = 0;  // the console's code page before PrepareConsole

void RestoreConsole() {
    std::fflush(nullptr);  // what is still buffered was written for UTF-8
    SetConsoleOutputCP(userOutputCodePage);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    if (!wide) {
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
        return args;
    }
    for (int i = 1; i < count; ++i) args.push_back(utf16::Narrow(wide[i]));
    LocalFree(wide);
    return args;
}

void PrepareConsole() {
    // The console is the user's: its code page is put back when the program ends.
    const UINT original = GetConsoleOutputCP();
    if (original != 0 && original != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        userOutputCodePage = original;
        std::atexit(RestoreConsole);
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
