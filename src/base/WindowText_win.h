// A window's text (a caption, an edit box's contents) as UTF-8, for the window and the hand-off.
#pragma once

#include <windows.h>

#include <string>

#include "base/Utf16.h"

// The text as GetWindowTextW gives it into a buffer of `bufferChars` characters (the
// terminator included): longer texts are cut. Empty for no window.
inline std::string WindowText(HWND window, int bufferChars) {
    std::wstring buffer(static_cast<std::size_t>(bufferChars), L'\0');
    const int n = GetWindowTextW(window, buffer.data(), bufferChars);
    return utf16::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0)));
}

// The whole text.
inline std::string WindowText(HWND window) {
    return WindowText(window, GetWindowTextLengthW(window) + 1);
}
