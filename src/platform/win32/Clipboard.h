// The system clipboard: the table text as Unicode text.
#pragma once

#include <windows.h>

#include <string_view>

// Empties the clipboard and puts the UTF-8 text on it as CF_UNICODETEXT. False when that failed.
bool SetClipboardText(HWND owner, std::string_view utf8);
