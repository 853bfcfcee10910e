#include "platform/win32/ProgramPaths.h"

#include <windows.h>

#include <vector>

#include "base/Utf16.h"

std::string ProgramFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            std::wstring full(path.data(), n);
            std::size_t slash = full.find_last_of(L"\\/");
            return utf16::Narrow(slash == std::wstring::npos ? std::wstring() : full.substr(0, slash));
        }
        path.resize(path.size() * 2);
    }
}

std::string ArgumentsAfterProgram(std::wstring_view commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        std::size_t close = commandLine.find(L'"', 1);
        at = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && commandLine[at] != L' ' && commandLine[at] != L'\t')
            ++at;
    }
    return utf16::Narrow(commandLine.substr(at));
}
