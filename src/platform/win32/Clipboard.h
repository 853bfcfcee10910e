// The system clipboard: the table text as Unicode text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Empties the clipboard and puts the UTF-8 text on it as CF_UNICODETEXT. Returns an empty
// text on success, else what failed (UTF-8).
std::string SetClipboardText(HWND owner, std::string_view utf8);
