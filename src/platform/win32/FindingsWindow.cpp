#include "platform/win32/FindingsWindow.h"

#include <algorithm>

#include "base/Utf16.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/OwnedWindow.h"
#include "platform/win32/UiFont.h"
#include "platform/win32/Win32Error.h"
#include "ui/CheckSummary.h"

namespace {

constexpr wchar_t kFindingsClass[] = L"VemoraFindings";
// Pixels at 96 DPI.
constexpr int kWidth = 340, kHeight = 300, kMargin = 8, kButtonWidth = 88, kButtonHeight = 26;

struct Column {
    const wchar_t* heading;
    int width;
    int format;
};
constexpr Column kColumns[] = {{L"行", 70, LVCFMT_LEFT}, {L"種類", 90, LVCFMT_LEFT}, {L"面積(㎡)", 110, LVCFMT_RIGHT}};

}  // namespace

bool FindingsWindow::Show(HWND owner, const std::function<void()>& closed) {
    closed_ = closed;
    if (!window_) {
        window_.Reset(CreateOwnedWindow(kFindingsClass, L"ソリッドチェック",
                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), WS_EX_CONTROLPARENT, owner,
                                        WindowProc, this));
        if (!window_) {
            win::ShowCreateWindowFailure(owner, MB_ICONEXCLAMATION);
            return false;
        }
        font_ = CreateUiFont(GetDpiForWindow(window_.Get()));
        if (!CreateControls()) {
            win::ShowCreateWindowFailure(owner, MB_ICONEXCLAMATION);
            window_.Reset();
            return false;
        }
        // Level with the form's bottom, by the findings line.
        RECT form;
        GetWindowRect(owner, &form);
        const SIZE size{Scaled(kWidth), Scaled(kHeight)};
        PlaceBesideOwner(window_.Get(), owner, size, form.bottom - size.cy);
        SetFindings(findings_);
    }
    ShowWindow(window_.Get(), SW_SHOW);
    SetFocus(list_);
    // The keyboard starts on the first line, marked.
    if (!findings_.empty() && SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) == -1) {
        LVITEMW first{};
        first.stateMask = first.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageW(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    }
    return true;
}

void FindingsWindow::SetFindings(std::span<const Finding> findings) {
    findings_ = findings;
    if (!list_)
        return;
    SendMessageW(list_, LVM_SETITEMCOUNT, findings.size(), LVSICF_NOSCROLL);
    InvalidateRect(list_, nullptr, FALSE);
}

bool FindingsWindow::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    list_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 0, 0,
        window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kFindingsList)), instance, nullptr);
    close_ = CreateWindowExW(0, L"BUTTON", L"閉じる", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                             window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kFindingsClose)),
                             instance, nullptr);
    if (!list_ || !close_)
        return false;
    SetChildFonts(window_.Get(), font_.Get());
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const Column& c = kColumns[i];
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c.format;
        column.cx = Scaled(c.width);
        column.pszText = const_cast<wchar_t*>(c.heading);
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    return true;
}

void FindingsWindow::Layout() {
    RECT client;
    GetClientRect(window_.Get(), &client);
    const int margin = Scaled(kMargin), width = Scaled(kButtonWidth), height = Scaled(kButtonHeight);
    const int buttonTop = static_cast<int>(client.bottom) - margin - height;
    SetWindowPos(close_, nullptr, static_cast<int>(client.right) - margin - width, buttonTop, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(list_, nullptr, margin, margin, std::max(0, static_cast<int>(client.right) - 2 * margin),
                 std::max(0, buttonTop - 2 * margin), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Closing hides: the next show keeps the place and size the user gave it. The owner takes the
// keyboard back first, so that it never rests in the hidden list.
void FindingsWindow::Close() {
    if (closed_)
        closed_();
    ShowWindow(window_.Get(), SW_HIDE);
}

void FindingsWindow::OnDisplayInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= findings_.size())
        return;
    const FindingDetails details = DetailsOf(findings_[static_cast<std::size_t>(item.iItem)]);
    cellText_ = utf16::Widen(item.iSubItem == 0 ? details.rows : item.iSubItem == 1 ? details.kind : details.area);
    item.pszText = cellText_.data();
}

int FindingsWindow::Scaled(int pixels) const {
    return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window_.Get())), 96);
}

LRESULT CALLBACK FindingsWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FindingsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_CLOSE:
            self->Close();
            return 0;
        case WM_COMMAND:
            // 閉じる, and Esc and Enter as the message loop's dialog keys send them.
            if (LOWORD(wParam) == ids::kFindingsClose || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
                self->Close();
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == self->list_ && header->code == LVN_GETDISPINFOW)
                self->OnDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return 0;
        }
        case WM_SIZE:
            self->Layout();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {self->Scaled(200), self->Scaled(150)};
            return 0;
        }
        case WM_NCDESTROY:
            // Destroyed with its owner.
            self->window_.Release();
            self->list_ = self->close_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
