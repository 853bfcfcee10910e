#include "platform/win32/Win32Error.h"

#include <string>

#include "base/Utf16.h"

namespace win {

std::string ErrorMessage(std::string_view what, DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    std::string message(what);
    message += ": ";
    if (!text.empty())
        message += utf16::Narrow(text) + " ";
    message += "(" + std::to_string(code) + ")";
    return message;
}

std::string LastErrorMessage(std::string_view what) {
    return ErrorMessage(what, GetLastError());
}

void ShowCreateWindowFailure(HWND owner, UINT icon) {
    const std::string message = LastErrorMessage("CreateWindowExW");
    MessageBoxW(owner, utf16::Widen(message).c_str(), L"Vemora", icon);
}

}  // namespace win
