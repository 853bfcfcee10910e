// The system's open, save and colour dialogs, owned by the main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "base/SolidColour.h"

struct FileDialogRequest {
    std::string title;       // "表ファイルを開く"
    std::string filter;      // pairs of description and pattern joined by "|": "表ファイル (*.JHY)|*.JHY"
    std::string fileName;    // initial name, "*.JHY", or empty
    std::string defaultExt;  // "JHY": appended to a name typed without an extension
    DWORD flags = 0;         // OFN_* flags, passed unchanged
};

// The filter as the system reads it: every "|" becomes NUL and the list ends with NUL
// (the string's own terminator then makes the double NUL).
std::wstring FilterForSystem(std::string_view filter);

// The chosen path (UTF-8), or nullopt when the user cancels or the dialog fails.
std::optional<std::string> ShowOpenDialog(HWND owner, const FileDialogRequest& request);
std::optional<std::string> ShowSaveDialog(HWND owner, const FileDialogRequest& request);

// The colour dialog with `flags` (CC_FULLOPEN, or CC_RGBINIT | CC_FULLOPEN to start on
// `initial`) and sixteen white custom colours every time. The chosen colour, or nullopt
// when the user cancels or the dialog fails.
std::optional<SolidColour> ShowColourDialog(HWND owner, SolidColour initial, DWORD flags);
