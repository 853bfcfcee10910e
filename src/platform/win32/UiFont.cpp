#include "platform/win32/UiFont.h"

#include <array>
#include <cwchar>

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

BOOL CALLBACK SetFont(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

bool FaceInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

win::Font CreateUiFont(unsigned dpi) {
    static constexpr std::array<const wchar_t*, 5> kFaces = {L"Meiryo UI", L"MS UI Gothic", L"Yu Gothic UI",
                                                             L"IPAGothic", L"IPAPGothic"};
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    win::WindowDc screen(nullptr);
    for (const wchar_t* face : kFaces) {
        if (FaceInstalled(screen.Get(), face)) {
            wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
            break;
        }
    }
    return win::Font(CreateFontIndirectW(&font));
}

void SetChildFonts(HWND parent, HFONT font) {
    EnumChildWindows(parent, SetFont, reinterpret_cast<LPARAM>(font));
}
