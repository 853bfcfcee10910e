// The one place where a Win32 error code becomes a message for the user.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// "<what>: <the system's text for the code> (<code>)", UTF-8. An unknown code gives its
// number alone after the colon.
std::string ErrorMessage(std::string_view what, DWORD code);

// ErrorMessage for GetLastError(), read at the call.
std::string LastErrorMessage(std::string_view what);

// Tells the user that CreateWindowExW failed, with the system's reason, in a box over `owner`.
void ShowCreateWindowFailure(HWND owner, UINT icon);

}  // namespace win
