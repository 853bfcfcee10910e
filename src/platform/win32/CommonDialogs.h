// The system's open, save and colour dialogs, owned by the main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "base/SolidColour.h"

enum class FileDialogKind { Open, Save };

struct FileRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;        // "表ファイルを開く"
    std::string filter;       // description and pattern pairs joined by "|": "表ファイル (*.JHY)|*.JHY"
    DWORD flags = 0;          // OFN_ flags
    std::string initialName;  // "*.JHY", or empty
    std::string defaultExt;   // appended to a name typed without an extension
};

// The filter as the system reads it: every "|" becomes NUL and the list ends with NUL
// (the string's own terminator then makes the double NUL).
std::wstring FilterForSystem(std::string_view filter);

// The open or the save dialog, by the request's kind, starting in the current folder. The
// chosen path (UTF-8), or nullopt when the user cancels or the dialog fails (an empty path
// counts as cancelled).
std::optional<std::string> ShowFileDialog(HWND owner, const FileRequest& request);

// The colour dialog with `flags` (CC_FULLOPEN, or CC_RGBINIT | CC_FULLOPEN to start on
// `initial`) and sixteen white custom colours every time (none are kept between dialogs).
// The chosen colour, or nullopt when the user cancels or the dialog fails.
std::optional<SolidColour> ShowColourDialog(HWND owner, SolidColour initial, DWORD flags);
