#include "platform/win32/AboutDialog.h"

#include "base/Utf16.h"
#include "platform/win32/UiFont.h"
#include "platform/win32/VersionInfo.h"
#include "platform/win32/resource.h"

namespace {

constexpr char kCaption[] = "Vemoraのﾊﾞｰｼﾞｮﾝ情報";
constexpr char kDescription[] = "Jw_cadのソリッド図形の面積を色ごとに集計し、面積表を作図します。";

void SetText(HWND dialog, int id, const char* utf8) {
    SetDlgItemTextW(dialog, id, utf16::Widen(utf8).c_str());
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            // The template's font has no Japanese glyphs on every system: use the window's.
            auto* font = new win::Font(CreateUiFont(GetDpiForWindow(dialog)));
            SetPropW(dialog, L"VemoraFont", font);
            SetChildFonts(dialog, font->Get());
            SetWindowTextW(dialog, utf16::Widen(kCaption).c_str());
            SetText(dialog, IDC_ABOUT_TITLE, "Vemora");
            std::optional<ProgramVersion> version = CurrentProgramVersion();
            SetText(dialog, IDC_ABOUT_VERSION, version ? VersionLine(*version).c_str() : "");
            SetText(dialog, IDC_ABOUT_DESCRIPTION, kDescription);
            HINSTANCE instance = GetModuleHandleW(nullptr);
            SendMessageW(dialog, WM_SETICON, ICON_BIG,
                         reinterpret_cast<LPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_VEMORA))));
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDOK);
            return TRUE;
        case WM_DESTROY:
            delete static_cast<win::Font*>(RemovePropW(dialog, L"VemoraFont"));
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutDialog(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}
