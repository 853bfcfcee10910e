#include "platform/win32/CommonDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <vector>

#include "base/Utf16.h"
#include "platform/win32/FormGestures.h"

// The swatch gestures' flags go to the system unchanged.
static_assert(kColourRgbInit == CC_RGBINIT && kColourFullOpen == CC_FULLOPEN);

namespace {

// Long paths are fine with the W dialogs; the buffer is far above MAX_PATH.
constexpr std::size_t kFileBufferChars = 4096;

std::wstring CurrentFolder() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(n, L'\0');
    DWORD got = GetCurrentDirectoryW(n, folder.data());
    folder.resize(got < n ? got : 0);
    return folder;
}

}  // namespace

std::wstring FilterForSystem(std::string_view filter) {
    std::wstring wide = utf16::Widen(filter);
    for (wchar_t& c : wide)
        if (c == L'|')
            c = L'\0';
    if (wide.empty() || wide.back() != L'\0')
        wide.push_back(L'\0');
    return wide;
}

std::optional<std::string> ShowFileDialog(HWND owner, const FileRequest& request) {
    std::wstring filter = FilterForSystem(request.filter);
    std::wstring title = utf16::Widen(request.title);
    std::wstring defaultExt = utf16::Widen(request.defaultExt);
    std::wstring folder = CurrentFolder();
    std::vector<wchar_t> file(kFileBufferChars, L'\0');
    std::wstring initial = utf16::Widen(request.initialName);
    initial.copy(file.data(), std::min(initial.size(), file.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = request.flags;
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    BOOL chosen = request.kind == FileDialogKind::Open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!chosen)
        return std::nullopt;
    std::string path = utf16::Narrow(file.data());
    if (path.empty())
        return std::nullopt;
    return path;
}

std::optional<SolidColour> ShowColourDialog(HWND owner, SolidColour initial, DWORD flags) {
    std::array<COLORREF, 16> custom;
    custom.fill(RGB(255, 255, 255));
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.hInstance = reinterpret_cast<HWND>(GetModuleHandleW(nullptr));
    cc.rgbResult = static_cast<COLORREF>(initial) & 0xFFFFFF;
    cc.lpCustColors = custom.data();
    cc.Flags = flags;
    if (!ChooseColorW(&cc))
        return std::nullopt;
    return static_cast<SolidColour>(cc.rgbResult & 0xFFFFFF);
}
