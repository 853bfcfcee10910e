#include "platform/win32/MainWindow.h"

#include <commctrl.h>

#include <span>
#include <vector>

#include "base/Utf16.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/SwatchControl.h"
#include "platform/win32/UiFont.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/WindowText.h"
#include "platform/win32/resource.h"

namespace {

constexpr wchar_t kMainClass[] = L"VemoraMain";
constexpr wchar_t kPanelClass[] = L"VemoraPanel";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kEditorListRows = 12;  // entries shown when a floating editor's list drops down

// Where each setting of the panel is edited: its control, and whether that is a combo box.
struct PanelFieldControl {
    PanelField field;
    int id;
    bool combo;
    int row;     // 0..5 the setting rows, 6..8 the ruled-line rows
    int column;  // 0..2
};

constexpr PanelFieldControl kPanelFields[] = {
    {PanelField::Tani, ids::kDefaultUnit, true, 0, 0},    {PanelField::Keta, ids::kDigits, true, 1, 0},
    {PanelField::Mojishu, ids::Combo1(3), true, 2, 0},    {PanelField::Moji_ly, ids::Combo1(4), true, 2, 1},
    {PanelField::Solid_W, ids::kSolidWidth, false, 3, 0}, {PanelField::cmbSolidLay, ids::kSolidLayer, true, 3, 1},
    {PanelField::Sukima_H, ids::kGapHeight, false, 4, 0}, {PanelField::Sukima_W, ids::kGapWidth, false, 5, 0},
    {PanelField::Soto_lt, ids::Combo1(9), true, 6, 0},    {PanelField::Soto_lc, ids::Combo1(1), true, 6, 1},
    {PanelField::Soto_ly, ids::Combo1(5), true, 6, 2},    {PanelField::Tate_lt, ids::Combo1(10), true, 7, 0},
    {PanelField::Tate_lc, ids::Combo1(2), true, 7, 1},    {PanelField::Tate_ly, ids::Combo1(6), true, 7, 2},
    {PanelField::Yoko_lt, ids::Combo1(11), true, 8, 0},   {PanelField::Yoko_lc, ids::Combo1(7), true, 8, 1},
    {PanelField::Yoko_ly, ids::Combo1(8), true, 8, 2},
};

constexpr const char* kSettingLabels[] = {"単位，掛け率の初期値",       "数量の丸め",       "文字種,レイヤ",
                                          "表内のソリッドの幅、レイヤ", "文字と枠の隙間高", "文字と枠の隙間幅"};
constexpr const char* kRuleLabels[] = {"外枠線種色,レイヤ", "縦罫線種色,レイヤ", "横罫線種色,レイヤ"};

const PanelFieldControl* PanelFieldById(int id) {
    for (const PanelFieldControl& f : kPanelFields)
        if (f.id == id)
            return &f;
    return nullptr;
}

// Sets the text only when it differs, so a control being typed in keeps its caret.
void SetText(HWND window, const std::string& text) {
    if (WindowText(window) != text)
        SetWindowTextW(window, utf16::Widen(text).c_str());
}

std::string ComboItemText(HWND combo, int index) {
    LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return utf16::Narrow(text);
}

// The text a list pick puts into the combo (the notification comes before the edit shows it).
std::string PickedText(HWND combo) {
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? WindowText(combo) : ComboItemText(combo, static_cast<int>(index));
}

void FillCombo(HWND combo, const std::vector<std::string>& entries) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(utf16::Widen(entry).c_str()));
}

// Is the focus in the combo box or its edit box.
bool HoldsFocus(HWND combo) {
    HWND focus = GetFocus();
    return focus && (focus == combo || GetParent(focus) == combo);
}

// The control's own visibility: IsWindowVisible is false for every control until the main
// window is first shown, and a hide decided on it then would be skipped.
bool Shown(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Is the message being checked (WM_GETDLGCODE's lParam) a key down of `key`?
bool PendingKey(LPARAM lParam, WPARAM key) {
    auto* pending = reinterpret_cast<const MSG*>(lParam);
    return pending && pending->message == WM_KEYDOWN && pending->wParam == key;
}

// Does the text fit on one line in the static control, in its font?
bool FitsIn(HWND control, const std::wstring& text) {
    RECT client, needed{};
    GetClientRect(control, &client);
    win::WindowDc dc(control);
    win::Selection font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return needed.right <= client.right;
}

void SetVisible(HWND window, bool visible) {
    if (Shown(window) != visible)
        ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void SetTabStop(HWND window, bool tabStop) {
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (((style & WS_TABSTOP) != 0) != tabStop)
        SetWindowLongPtrW(window, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

void SetEnabled(HWND window, bool enabled) {
    if ((IsWindowEnabled(window) != FALSE) != enabled)
        EnableWindow(window, enabled);
}

void SetChecked(HWND button, bool checked) {
    WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(button, BM_GETCHECK, 0, 0)) != state)
        SendMessageW(button, BM_SETCHECK, state, 0);
}

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Item-name alignment (intYose as applied: 0 left, 1 right, 2 centre; none: as designed, left).
DWORD NameAlignmentStyle(std::optional<int> alignment) {
    if (alignment == 1)
        return SS_RIGHT;
    if (alignment == 2)
        return SS_CENTER;
    return SS_LEFTNOWORDWRAP;
}

void RegisterClasses() {
    static const bool registered = [] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW main{};
        main.cbSize = sizeof main;
        main.lpfnWndProc = DefWindowProcW;  // replaced per window in Create
        main.hInstance = instance;
        main.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VEMORA));
        main.hIconSm = main.hIcon;
        main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        main.lpszClassName = kMainClass;
        WNDCLASSEXW panel = main;
        panel.hIcon = panel.hIconSm = nullptr;
        panel.lpszClassName = kPanelClass;
        return RegisterClassExW(&main) != 0 && RegisterClassExW(&panel) != 0;
    }();
    (void)registered;
}

}  // namespace

MainWindow::~MainWindow() {
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool MainWindow::Create() {
    RegisterClasses();
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, L"Vemora", kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                              500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) {
        std::string message = win::LastErrorMessage("CreateWindowExW");
        MessageBoxW(nullptr, utf16::Widen(message).c_str(), L"Vemora", MB_ICONSTOP);
        return false;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    dpi_ = GetDpiForWindow(window_);
    font_ = CreateUiFont(dpi_);
    cellBrush_.Reset(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    BuildMenu();
    CreateControls();
    CreatePanel();
    ApplyFont();
    return true;
}

HWND MainWindow::AddControl(HWND parent,
                            const wchar_t* windowClass,
                            const std::string& text,
                            DWORD style,
                            int id,
                            DWORD exStyle) {
    return CreateWindowExW(exStyle, windowClass, utf16::Widen(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0,
                           0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

// Creation order is the tab order: title, the rows (name, quantity, unit), OK, the rest.
void MainWindow::CreateControls() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    titleLabel_ = AddControl(window_, L"STATIC", "", WS_VISIBLE | SS_NOPREFIX | SS_RIGHT, ids::kTitleLabel);
    titleBox_ =
        AddControl(window_, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, ids::kTitleBox, WS_EX_CLIENTEDGE);
    headSwatch_ = AddControl(window_, L"STATIC", "", WS_VISIBLE | SS_NOPREFIX | SS_CENTER, ids::kHeadSwatch);
    headName_ = AddControl(window_, L"STATIC", "", WS_VISIBLE | SS_NOPREFIX | SS_CENTER, ids::kHeadName);
    headQuantity_ =
        AddControl(window_, L"STATIC", "数     量", WS_VISIBLE | SS_NOPREFIX | SS_CENTER, ids::kHeadQuantity);
    headUnit_ = AddControl(window_, L"STATIC", "単位", WS_VISIBLE | SS_NOPREFIX | SS_CENTER, ids::kHeadUnit);
    for (int i = 1; i <= kRowCount; ++i) {
        RowControls& row = rows_[static_cast<std::size_t>(i)];
        row.left = CreateSwatch(window_, i, ids::Swatch(i));
        row.right = CreateSwatch(window_, i + kRowCount, ids::Swatch(i + kRowCount));
        // The cells take the focus (Enter or F2 opens their editor); a long name ends in "…".
        row.name = AddControl(window_, L"STATIC", "",
                              WS_VISIBLE | WS_TABSTOP | WS_BORDER | SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE |
                                  SS_ENDELLIPSIS | SS_LEFTNOWORDWRAP,
                              ids::Name(i));
        row.quantity = AddControl(window_, L"EDIT", "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL,
                                  ids::Quantity(i));
        row.unit = AddControl(
            window_, L"STATIC", "",
            WS_VISIBLE | WS_TABSTOP | WS_BORDER | SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE | SS_CENTER, ids::Unit(i));
        for (HWND cell : {row.name, row.unit})
            SetWindowSubclass(cell, CellProc, 1, reinterpret_cast<DWORD_PTR>(this));
        AddTooltip(row.left);
        AddTooltip(row.right);
        AddTooltip(row.name);
        AddTooltip(row.unit);
    }
    ok_ = AddControl(window_, L"BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ids::kOk);
    copyOk_ = AddControl(window_, L"BUTTON", "コピー && OK", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ids::kCopyOk);
    swatchButton_ = AddControl(window_, L"BUTTON", "", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ids::kSwatchButton);
    hint_ = AddControl(window_, L"STATIC", "", WS_VISIBLE | SS_NOPREFIX, ids::kHint);
    upperCase_ =
        AddControl(window_, L"BUTTON", "#cを大文字（0.02mm間隔)", WS_TABSTOP | BS_AUTOCHECKBOX, ids::kUpperCase);

    // The floating editors: editable drop-down lists laid over a cell while in use.
    const DWORD editorStyle = WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    nameEditor_ = AddControl(window_, L"COMBOBOX", "", editorStyle, ids::kNameEditor);
    unitEditor_ = AddControl(window_, L"COMBOBOX", "", editorStyle, ids::kUnitEditor);
    for (HWND combo : {nameEditor_, unitEditor_}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(combo, &info) && info.hwndItem)
            SetWindowSubclass(info.hwndItem, EditorEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

// The panel erases all of its area (no WS_CLIPCHILDREN): its group box covers it whole and
// paints only its frame, so the table under the panel must not show through.
void MainWindow::CreatePanel() {
    panel_ =
        CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kPanel)), GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(panel_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(panel_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PanelProc));
    for (int r = 0; r < 6; ++r)
        AddControl(panel_, L"STATIC", kSettingLabels[r], WS_VISIBLE | SS_NOPREFIX, ids::PanelLabel(r));
    AddControl(panel_, L"STATIC", "　罫線", WS_VISIBLE | SS_NOPREFIX, ids::PanelLabel(6));
    for (int g = 0; g < kRuledLineGroups; ++g)
        AddControl(panel_, L"BUTTON", kRuleLabels[g], WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, ids::Keisen(g));
    for (const PanelFieldControl& f : kPanelFields) {
        if (f.combo)
            AddControl(panel_, L"COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                       f.id);
        else
            AddControl(panel_, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, f.id, WS_EX_CLIENTEDGE);
    }
    AddControl(panel_, L"BUTTON", "一覧表型", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
               ids::CopyType(1));
    AddControl(panel_, L"BUTTON", "カード型", WS_VISIBLE | BS_AUTORADIOBUTTON, ids::CopyType(0));
    AddControl(panel_, L"BUTTON", "ＯＫ", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, ids::kPanelOk);
    // Group boxes last: they lie under the controls they frame.
    AddControl(panel_, L"BUTTON", "コピー", WS_VISIBLE | BS_GROUPBOX, ids::kCopyFrame);
    AddControl(panel_, L"BUTTON", "設定", WS_VISIBLE | BS_GROUPBOX, ids::kPanelFrame);
}

void MainWindow::BuildMenu() {
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    std::span<const MenuDef> defs = MenuBar();
    for (std::size_t i = 0; i < defs.size(); ++i) {
        const MenuDef& def = defs[i];
        std::wstring caption = utf16::Widen(def.caption);
        bool hasItems = def.topLevel && i + 1 < defs.size() && !defs[i + 1].topLevel;
        if (def.topLevel && hasItems) {
            popup = CreatePopupMenu();
            AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
        } else if (def.topLevel) {
            popup = nullptr;
            AppendMenuW(bar, MF_STRING, static_cast<UINT_PTR>(ids::MenuId(def.command)), caption.c_str());
        } else if (popup) {
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(ids::MenuId(def.command)), caption.c_str());
        }
    }
    SetMenu(window_, bar);
}

void MainWindow::AddTooltip(HWND tool) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void MainWindow::ApplyFont() {
    SetChildFonts(window_, font_.Get());
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

RECT MainWindow::Pixels(const TwipsRect& rect) const {
    int left = TwipsToPixels(rect.left, dpi_), top = TwipsToPixels(rect.top, dpi_);
    return RECT{left, top, TwipsToPixels(rect.left + rect.width, dpi_), TwipsToPixels(rect.top + rect.height, dpi_)};
}

void MainWindow::Place(HWND control, const TwipsRect& rect, HWND insertAfter) const {
    RECT px = Pixels(rect);
    SetWindowPos(control, insertAfter, px.left, px.top, px.right - px.left, px.bottom - px.top,
                 SWP_NOACTIVATE | (insertAfter ? 0 : SWP_NOZORDER));
}

void MainWindow::PlaceControls() {
    geometry_ = GeometryFor(model_.Layout());
    const WindowGeometry& g = geometry_;
    Place(titleLabel_, g.titleLabel);
    Place(titleBox_, g.titleBox);
    Place(headSwatch_, g.headSwatch);
    Place(headName_, g.headName);
    Place(headQuantity_, g.headQuantity);
    Place(headUnit_, g.headUnit);
    for (int i = 1; i <= kRowCount; ++i) {
        const RowGeometry& rg = g.rows[static_cast<std::size_t>(i)];
        const RowControls& row = rows_[static_cast<std::size_t>(i)];
        Place(row.left, rg.leftSwatch);
        Place(row.right, rg.rightSwatch);
        Place(row.name, rg.name);
        Place(row.quantity, rg.quantity);
        Place(row.unit, rg.unit);
        SetVisible(row.quantity, g.quantityColumns);
        SetVisible(row.unit, g.quantityColumns);
    }
    SetVisible(headUnit_, g.quantityColumns);
    Place(swatchButton_, g.swatchButton);
    Place(hint_, g.hint);
    Place(upperCase_, g.upperCase);
    Place(ok_, g.ok);
    Place(copyOk_, g.copyOk);

    // The editors' edit field as high as a cell, so that they cover it exactly.
    int cellHeight = TwipsToPixels(g.rows[1].name.height, dpi_);
    for (HWND combo : {nameEditor_, unitEditor_})
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cellHeight - 6);
    nameEditorRow_ = unitEditorRow_ = 0;  // laid again on the next render

    const PanelGeometry p = PanelGeometryFor(model_.Layout());
    Place(panel_, p.panel);
    Place(GetDlgItem(panel_, ids::kPanelFrame), p.frame);
    for (int r = 0; r < 6; ++r)
        Place(GetDlgItem(panel_, ids::PanelLabel(r)), p.settingRows[static_cast<std::size_t>(r)].label);
    Place(GetDlgItem(panel_, ids::PanelLabel(6)), p.rulesHeading);
    for (int r = 0; r < kRuledLineGroups; ++r)
        Place(GetDlgItem(panel_, ids::Keisen(r)), p.ruleRows[static_cast<std::size_t>(r)].label);
    for (const PanelFieldControl& f : kPanelFields) {
        const PanelRowGeometry& row = f.row < 6 ? p.settingRows[static_cast<std::size_t>(f.row)]
                                                : p.ruleRows[static_cast<std::size_t>(f.row - 6)];
        TwipsRect rect = row.fields[static_cast<std::size_t>(f.column)];
        if (f.combo)
            rect.height += kEditorListRows * rect.height;  // a combo's height includes its list
        Place(GetDlgItem(panel_, f.id), rect);
    }
    Place(GetDlgItem(panel_, ids::kCopyFrame), p.copyFrame);
    Place(GetDlgItem(panel_, ids::CopyType(0)), p.copyOptions[0]);
    Place(GetDlgItem(panel_, ids::CopyType(1)), p.copyOptions[1]);
    Place(GetDlgItem(panel_, ids::kPanelOk), p.ok);
    FitWindowToClient();
}

// Sizes the window so that its client area holds the layout, menu bar lines included.
void MainWindow::FitWindowToClient() {
    RECT want{0, 0, TwipsToPixels(geometry_.clientWidth, dpi_), TwipsToPixels(geometry_.clientHeight, dpi_)};
    RECT outer = want;
    AdjustWindowRectExForDpi(&outer, kMainStyle, TRUE, WS_EX_CONTROLPARENT, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A narrow window wraps its menu bar onto more lines than the adjustment assumed.
    RECT client;
    GetClientRect(window_, &client);
    if (client.bottom < want.bottom)
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                     outer.bottom - outer.top + want.bottom - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::FillLists() {
    FillCombo(nameEditor_, model_.Lists().items);
    FillCombo(unitEditor_, model_.Lists().units);
    for (const PanelFieldControl& f : kPanelFields)
        if (f.combo)
            FillCombo(GetDlgItem(panel_, f.id), model_.ListEntries(f.field));
}

void MainWindow::Show(int showCommand) {
    FillLists();
    PlaceControls();
    Render();
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(titleBox_);
}

int MainWindow::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab and Esc as in a dialog; Enter goes to the floating editors.
        if (window_ && IsDialogMessageW(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// ---- Events

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            self->OnPanelCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK
MainWindow::EditorEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* window = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter (it walks the rows) and Esc (it cancels) belong to the editor, not to the
            // dialog navigation.
            LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
            if (PendingKey(lParam, VK_RETURN) || PendingKey(lParam, VK_ESCAPE))
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_KEYDOWN: {
            // The combo closes its list first, then the model walks to the next row or cancels.
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            window->OnEditorKey(GetParent(edit), static_cast<int>(wParam));
            return result;
        }
        case WM_CHAR:
            if (wParam == L'\r' || wParam == 0x1B)
                return 0;  // no beep for the Enter that walked the rows or the Esc that cancelled
            return DefSubclassProc(edit, message, wParam, lParam);
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, EditorEditProc, 1);
            return DefSubclassProc(edit, message, wParam, lParam);
        default:
            return DefSubclassProc(edit, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWindow::CellProc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter opens the cell's editor rather than going to the dialog navigation.
            LRESULT code = DefSubclassProc(cell, message, wParam, lParam);
            return PendingKey(lParam, VK_RETURN) ? code | DLGC_WANTALLKEYS : code;
        }
        case WM_KEYDOWN:
            if (wParam != VK_RETURN && wParam != VK_F2)
                break;
            reinterpret_cast<MainWindow*>(self)->OnCellOpenKey(cell);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(cell, nullptr, TRUE);
            break;
        case WM_PAINT: {
            // The static draws itself into our paint DC; the focus mark goes on top of it.
            win::PaintGuard paint(cell);
            DefSubclassProc(cell, WM_PAINT, reinterpret_cast<WPARAM>(paint.Dc()), 0);
            if (GetFocus() == cell) {
                RECT rect;
                GetClientRect(cell, &rect);
                InflateRect(&rect, -1, -1);
                DrawFocusRect(paint.Dc(), &rect);
            }
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(cell, CellProc, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(cell, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case kSwatchClicked:
            model_.ClickSwatch(static_cast<int>(wParam));
            AfterEvent();
            return 0;
        case kSwatchDropped:
            model_.DropSwatch(static_cast<int>(wParam), static_cast<int>(lParam));
            AfterEvent();
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW)
                OnTooltipText(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
            return 0;
        }
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // The close box leaves without output, as 終了 does; ignored while the hand-off runs.
            model_.Close();
            AfterEvent();
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (id >= ids::kMenuBase && id < ids::kMenuBase + kCommandCount && !control) {
        model_.Execute(static_cast<Command>(id - ids::kMenuBase));
        AfterEvent();
        return;
    }
    if (rendering_) {
        // Programmatic changes notify too; only a lost focus is a real event then.
        if (code == CBN_KILLFOCUS)
            renderAgain_ = true;
        else
            return;
    }
    if (control == nameEditor_ || control == unitEditor_) {
        bool name = control == nameEditor_;
        switch (code) {
            case CBN_EDITCHANGE:
                name ? model_.NameEditorTextChanged(WindowText(control))
                     : model_.UnitEditorTextChanged(WindowText(control));
                break;
            case CBN_SELCHANGE:
                name ? model_.NameEditorTextChanged(PickedText(control))
                     : model_.UnitEditorTextChanged(PickedText(control));
                break;
            case CBN_KILLFOCUS:
                // Focus moving between the combo and its own edit box is no loss.
                if (HoldsFocus(control))
                    return;
                name ? model_.NameEditorFocusLost() : model_.UnitEditorFocusLost();
                break;
            default:
                return;
        }
        AfterEvent();
        return;
    }
    for (int i = 1; i <= kRowCount; ++i) {
        if (id == ids::Name(i) && code == STN_CLICKED)
            model_.ClickName(i);
        else if (id == ids::Unit(i) && code == STN_CLICKED)
            model_.ClickUnit(i);
        else if (id == ids::Quantity(i) && code == EN_CHANGE)
            model_.SetQuantity(i, WindowText(control));
        else
            continue;
        AfterEvent();
        return;
    }
    if (id == ids::kTitleBox) {
        if (code != EN_CHANGE)
            return;
        model_.SetTitle(WindowText(control));
    } else if (code != BN_CLICKED) {
        return;
    } else if (id == ids::kSwatchButton) {
        model_.ClickSwapButton();
    } else if (id == ids::kUpperCase) {
        model_.ClickUpperCase(IsChecked(control));
    } else if (id == ids::kOk) {
        model_.Ok();
    } else if (id == ids::kCopyOk) {
        model_.CopyAndOk();
    } else if (id == IDCANCEL && model_.PanelVisible()) {  // Esc closes the settings panel
        model_.ClosePanel();
    } else {
        return;
    }
    AfterEvent();
}

void MainWindow::OnPanelCommand(int id, int code, HWND control) {
    if (rendering_)
        return;
    if (const PanelFieldControl* f = PanelFieldById(id)) {
        if (code == CBN_SELCHANGE && f->field == PanelField::Keta)
            model_.PickKeta(PickedText(control));
        else if (code == CBN_SELCHANGE)
            model_.SetFieldText(f->field, PickedText(control));
        else if (code == CBN_EDITCHANGE || code == EN_CHANGE)
            model_.SetFieldText(f->field, WindowText(control));
        else
            return;
    } else if (code != BN_CLICKED) {
        return;
    } else if (id == ids::kPanelOk) {
        model_.ClosePanel();
    } else if (id >= ids::Keisen(0) && id < ids::Keisen(kRuledLineGroups)) {
        model_.ClickRuledLine(id - ids::Keisen(0), IsChecked(control));
    } else if (id == ids::CopyType(0) || id == ids::CopyType(1)) {
        model_.ClickCopyLayout(id - ids::CopyType(0));
    } else {
        return;
    }
    AfterEvent();
}

void MainWindow::OnEditorKey(HWND combo, int keyCode) {
    const bool cancel = keyCode == VK_ESCAPE;
    if (combo == nameEditor_)
        cancel ? model_.CancelNameEditor() : model_.NameEditorKeyDown(keyCode);
    else if (combo == unitEditor_)
        cancel ? model_.CancelUnitEditor() : model_.UnitEditorKeyDown(keyCode);
    else
        return;
    if (keyCode == VK_RETURN)
        nameEditorRow_ = unitEditorRow_ = 0;  // lay the editor anew, text selected
    AfterEvent();
}

HWND MainWindow::CellOf(int row, bool unitColumn) const {
    const RowControls& controls = rows_[static_cast<std::size_t>(row)];
    return unitColumn ? controls.unit : controls.name;
}

void MainWindow::OnCellOpenKey(HWND cell) {
    int id = GetDlgCtrlID(cell);
    if (id > ids::Name(0) && id <= ids::Name(kRowCount))
        model_.ClickName(id - ids::Name(0));
    else if (id > ids::Unit(0) && id <= ids::Unit(kRowCount))
        model_.ClickUnit(id - ids::Unit(0));
    else
        return;
    AfterEvent();
}

LRESULT MainWindow::OnColourStatic(HDC dc, HWND control) {
    int id = GetDlgCtrlID(control);
    bool cell = (id > ids::Name(0) && id <= ids::Name(kRowCount)) || (id > ids::Unit(0) && id <= ids::Unit(kRowCount));
    if (!cell)
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(cellBrush_.Get());
}

void MainWindow::OnTooltipText(NMTTDISPINFOW& info) {
    HWND tool = reinterpret_cast<HWND>(info.hdr.idFrom);
    tooltipText_.clear();
    int id = GetDlgCtrlID(tool);
    const Table& table = model_.GetTable();
    if (int swatch = SwatchNumber(tool)) {
        const TableRow& row = table.Row(SwatchRow(swatch));
        tooltipText_ = utf16::Widen(IsLeftSwatch(swatch) ? row.leftTip : row.rightTip);
    } else if (id > ids::Unit(0) && id <= ids::Unit(kRowCount)) {
        tooltipText_ = utf16::Widen(table.Row(id - ids::Unit(0)).unitEntry);
    } else if (id > ids::Name(0) && id <= ids::Name(kRowCount)) {
        // Only a name the cell shows cut short.
        std::wstring name = utf16::Widen(table.Row(id - ids::Name(0)).name);
        if (!FitsIn(tool, name))
            tooltipText_ = std::move(name);
    }
    info.lpszText = tooltipText_.data();
}

void MainWindow::OnDpiChanged(unsigned dpi, const RECT& suggested) {
    dpi_ = dpi;
    font_ = CreateUiFont(dpi_);
    ApplyFont();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    Render();
    InvalidateRect(window_, nullptr, TRUE);
}

// ---- Showing the model

void MainWindow::AfterEvent() {
    if (!window_)
        return;
    Render();
    if (model_.GetRunState() != RunState::Running && window_)
        DestroyWindow(window_);
}

void MainWindow::Render() {
    if (rendering_) {
        renderAgain_ = true;
        return;
    }
    do {
        renderAgain_ = false;
        rendering_ = true;
        RenderOnce();
        rendering_ = false;
    } while (renderAgain_ && window_);
}

void MainWindow::RenderOnce() {
    const FormLayout& layout = model_.Layout();
    SetText(window_, layout.caption);
    SetText(titleLabel_, layout.titleLabel);
    SetText(titleBox_, model_.Title());
    SetText(headSwatch_, layout.swatchHeading);
    SetText(headName_, layout.nameHeading);
    SetVisible(headQuantity_, layout.quantityHeadingVisible);
    SetText(swatchButton_, model_.SwapButtonCaption());
    SetVisible(swatchButton_, layout.swapButtonVisible);
    SetText(hint_, model_.Hint());
    SetVisible(upperCase_, layout.upperCaseBoxVisible);
    SetChecked(upperCase_, model_.Settings().chkC != 0);
    SetVisible(copyOk_, layout.copyButtonVisible);
    RenderRows();
    RenderEditor(nameEditor_, model_.NameEditor(), false);
    RenderEditor(unitEditor_, model_.UnitEditor(), true);
    RenderPanel();
    RenderMenus();
}

void MainWindow::RenderRows() {
    const Table& table = model_.GetTable();
    const bool white = model_.SwatchTextWhite();
    const bool draggable = model_.LeftSwatchesDraggable();
    const DWORD alignment = NameAlignmentStyle(model_.NameAlignment());
    const EditorState& nameEditor = model_.NameEditor();
    const EditorState& unitEditor = model_.UnitEditor();
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        const RowControls& controls = rows_[static_cast<std::size_t>(i)];
        SetSwatchLook(controls.left, {row.left, row.leftCaption, white, draggable});
        SetSwatchLook(controls.right, {row.right, row.rightCaption, white, false});
        LONG_PTR style = GetWindowLongPtrW(controls.name, GWL_STYLE);
        if ((static_cast<DWORD>(style) & SS_TYPEMASK) != alignment) {
            SetWindowLongPtrW(controls.name, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | alignment);
            InvalidateRect(controls.name, nullptr, TRUE);
        }
        SetText(controls.name, row.name);
        SetText(controls.quantity, row.quantity);
        SetText(controls.unit, row.unit);
        // A cell under its open editor is no tab stop: Tab goes on from the editor to the next cell.
        SetTabStop(controls.name, !(nameEditor.visible && nameEditor.row == i));
        SetTabStop(controls.unit, !(unitEditor.visible && unitEditor.row == i));
    }
}

void MainWindow::RenderEditor(HWND combo, const EditorState& editor, bool unitColumn) {
    int& laidRow = unitColumn ? unitEditorRow_ : nameEditorRow_;
    if (!editor.visible || editor.row < 1 || editor.row > kRowCount) {
        // A closing editor that has the focus (Esc) hands it back to its cell.
        if (laidRow != 0 && HoldsFocus(combo))
            SetFocus(CellOf(laidRow, unitColumn));
        laidRow = 0;
        SetVisible(combo, false);
        return;
    }
    SetText(combo, editor.text);
    if (laidRow == editor.row && Shown(combo))
        return;
    // Over the cell, and just above it in z-order, so that Tab goes on from the cell's place.
    HWND cell = CellOf(editor.row, unitColumn);
    const RowGeometry& rg = geometry_.rows[static_cast<std::size_t>(editor.row)];
    TwipsRect rect = unitColumn ? rg.unit : rg.name;
    rect.height += kEditorListRows * rect.height;
    HWND above = GetWindow(cell, GW_HWNDPREV);
    Place(combo, rect, above ? above : HWND_TOP);
    laidRow = editor.row;
    ShowWindow(combo, SW_SHOW);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));  // typing replaces the value
    if (!HoldsFocus(combo))
        SetFocus(combo);
}

// While the panel is shown, every control behind it is disabled: none takes the keyboard
// (Tab cycles inside the panel) or the mouse. The focus goes into the panel before the
// controls are disabled and comes back after they are enabled again.
void MainWindow::RenderPanel() {
    const bool visible = model_.PanelVisible();
    if (visible && !Shown(panel_)) {
        SetWindowPos(panel_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetFocus(GetDlgItem(panel_, ids::kPanelOk));
    }
    const FormLayout& form = model_.Layout();
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == panel_)
            continue;
        bool enabled = child == swatchButton_ ? form.swapButtonEnabled
                       : child == copyOk_     ? form.copyButtonEnabled
                                              : true;
        SetEnabled(child, enabled && !visible);
    }
    if (!visible && Shown(panel_)) {
        ShowWindow(panel_, SW_HIDE);
        SetFocus(titleBox_);
    }
    const TableSettings& settings = model_.Settings();
    for (const PanelFieldControl& f : kPanelFields) {
        HWND control = GetDlgItem(panel_, f.id);
        SetText(control, FieldText(settings, f.field));
        SetEnabled(control, model_.FieldEnabled(f.field));
    }
    for (int g = 0; g < kRuledLineGroups; ++g)
        SetChecked(GetDlgItem(panel_, ids::Keisen(g)), RuledLineSwitch(settings, g) != 0);
    std::optional<int> layout = model_.CopyLayout();
    SetChecked(GetDlgItem(panel_, ids::CopyType(0)), layout == 0);
    SetChecked(GetDlgItem(panel_, ids::CopyType(1)), layout == 1);
}

void MainWindow::RenderMenus() {
    HMENU bar = GetMenu(window_);
    bool barChanged = false;
    int position = -1;
    for (const MenuDef& def : MenuBar()) {
        CommandState state = model_.StateOf(def.command);
        UINT enable = state.enabled ? MF_ENABLED : MF_GRAYED;
        if (def.topLevel) {
            ++position;
            UINT was = GetMenuState(bar, static_cast<UINT>(position), MF_BYPOSITION);
            if (((was & MF_GRAYED) == 0) != state.enabled) {
                EnableMenuItem(bar, static_cast<UINT>(position), MF_BYPOSITION | enable);
                barChanged = true;
            }
            continue;  // the bar's entries go by position: its popups have no command id
        }
        UINT id = static_cast<UINT>(ids::MenuId(def.command));
        EnableMenuItem(bar, id, MF_BYCOMMAND | enable);
        CheckMenuItem(bar, id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    }
    if (barChanged)
        DrawMenuBar(window_);
}
