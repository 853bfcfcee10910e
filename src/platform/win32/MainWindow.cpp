#include "platform/win32/MainWindow.h"

#include <commctrl.h>

#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/SolidColour.h"
#include "base/Utf16.h"
#include "base/WindowText_win.h"
#include "model/Quantities.h"
#include "platform/win32/AboutDialog.h"
#include "platform/win32/CommonDialogs.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/SwatchControl.h"
#include "platform/win32/UiFont.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/resource.h"

namespace {

constexpr wchar_t kMainClass[] = L"VemoraMain";
constexpr wchar_t kPanelClass[] = L"VemoraPanel";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kEditorListRows = 12;  // entries shown when a floating editor's list drops down

// The table files of 表を開く and 表を保存.
constexpr char kTableFilter[] = "表ファイル (*.JHY)|*.JHY";
const FileRequest kOpenTableRequest{
    FileDialogKind::Open, "表ファイルを開く", kTableFilter, OFN_CREATEPROMPT | OFN_HIDEREADONLY, "*.JHY", "JHY"};
const FileRequest kSaveTableRequest{
    FileDialogKind::Save, "表ファイルを保存", kTableFilter, OFN_OVERWRITEPROMPT, "", "JHY"};

// Where each setting of the panel is edited: its control, and whether that is a combo box.
struct PanelFieldControl {
    PanelField field;
    int id;
    bool combo;
    int row;     // 0..5 the setting rows, 6..8 the ruled-line rows
    int column;  // 0..2
};

constexpr PanelFieldControl kPanelFields[] = {
    {PanelField::DefaultUnit, ids::kDefaultUnit, true, 0, 0},
    {PanelField::Rounding, ids::kRounding, true, 1, 0},
    {PanelField::TextType, ids::kTextType, true, 2, 0},
    {PanelField::TextLayer, ids::kTextLayer, true, 2, 1},
    {PanelField::SampleWidth, ids::kSampleWidth, false, 3, 0},
    {PanelField::SampleLayer, ids::kSampleLayer, true, 3, 1},
    {PanelField::GapHeight, ids::kGapHeight, false, 4, 0},
    {PanelField::GapWidth, ids::kGapWidth, false, 5, 0},
    {PanelField::OuterFrameLineType, ids::kOuterFrameLineType, true, 6, 0},
    {PanelField::OuterFrameColour, ids::kOuterFrameColour, true, 6, 1},
    {PanelField::OuterFrameLayer, ids::kOuterFrameLayer, true, 6, 2},
    {PanelField::VerticalLineType, ids::kVerticalLineType, true, 7, 0},
    {PanelField::VerticalLineColour, ids::kVerticalLineColour, true, 7, 1},
    {PanelField::VerticalLineLayer, ids::kVerticalLineLayer, true, 7, 2},
    {PanelField::HorizontalLineType, ids::kHorizontalLineType, true, 8, 0},
    {PanelField::HorizontalLineColour, ids::kHorizontalLineColour, true, 8, 1},
    {PanelField::HorizontalLineLayer, ids::kHorizontalLineLayer, true, 8, 2},
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
void SetText(HWND window, std::string_view text) {
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

// Is the message being checked (WM_GETDLGCODE's lParam) a key down of one of `keys`?
bool PendingKey(LPARAM lParam, std::initializer_list<WPARAM> keys) {
    auto* pending = reinterpret_cast<const MSG*>(lParam);
    if (!pending || pending->message != WM_KEYDOWN)
        return false;
    for (WPARAM key : keys)
        if (pending->wParam == key)
            return true;
    return false;
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

// The item names' alignment (0 left, 1 right, 2 centre; none: the form's own, left).
DWORD NameAlignmentStyle(std::optional<int> alignment) {
    if (alignment == 1)
        return SS_RIGHT;
    if (alignment == 2)
        return SS_CENTER;
    return SS_LEFTNOWORDWRAP;
}

// A swatch's tooltip: the colour as "R:.. G:.. B:..", none for an empty swatch.
std::string SwatchTip(SolidColour colour, SolidColour background) {
    return colour == background ? std::string() : ColourRgbText(colour);
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
        win::ShowCreateWindowFailure(nullptr, MB_ICONSTOP);
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
    previewButton_ = AddControl(window_, L"BUTTON", "プレビュー", WS_TABSTOP | BS_PUSHBUTTON, ids::kPreview);
    hint_ = AddControl(window_, L"STATIC", "", WS_VISIBLE | SS_NOPREFIX, ids::kHint);
    upperCase_ =
        AddControl(window_, L"BUTTON", "#cを大文字（0.02mm間隔)", WS_TABSTOP | BS_AUTOCHECKBOX, ids::kUpperCase);
    checkLine_ =
        AddControl(window_, L"STATIC", "",
                   SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_LEFTNOWORDWRAP, ids::kFindings);
    detailsButton_ = AddControl(window_, L"BUTTON", "詳細(&D)...", WS_TABSTOP | BS_PUSHBUTTON, ids::kFindingsButton);
    AddTooltip(checkLine_);

    // The floating editors: editable drop-down lists laid over a cell while in use.
    const DWORD editorStyle = WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    nameEditor_.combo = AddControl(window_, L"COMBOBOX", "", editorStyle, ids::kNameEditor);
    unitEditor_.combo = AddControl(window_, L"COMBOBOX", "", editorStyle, ids::kUnitEditor);
    for (HWND combo : {nameEditor_.combo, unitEditor_.combo}) {
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
        AddControl(panel_, L"BUTTON", kRuleLabels[g], WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, ids::RuledLineBox(g));
    for (const PanelFieldControl& f : kPanelFields) {
        if (f.combo)
            AddControl(panel_, L"COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                       f.id);
        else
            AddControl(panel_, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, f.id, WS_EX_CLIENTEDGE);
    }
    AddControl(panel_, L"BUTTON", "一覧表型", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
               ids::CopyLayoutOption(1));
    AddControl(panel_, L"BUTTON", "カード型", WS_VISIBLE | BS_AUTORADIOBUTTON, ids::CopyLayoutOption(0));
    AddControl(panel_, L"BUTTON", "重なりを除いた面積で集計", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
               ids::kSeenAreas);
    AddControl(panel_, L"BUTTON", "合計行", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, ids::kTotalRow);
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
    geometry_ = GeometryFor(model_.Mode().layout, checkLineRoom_);
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
    Place(previewButton_, g.preview);
    Place(hint_, g.hint);
    Place(upperCase_, g.upperCase);
    Place(ok_, g.ok);
    Place(copyOk_, g.copyOk);
    Place(checkLine_, g.findings);
    Place(detailsButton_, g.findingsButton);

    // The editors' edit field as high as a cell, so that they cover it exactly.
    int cellHeight = TwipsToPixels(g.rows[1].name.height, dpi_);
    for (EditorControl* editor : {&nameEditor_, &unitEditor_}) {
        SendMessageW(editor->combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cellHeight - 6);
        editor->laidOpening = -1;  // laid again on the next render
    }

    const PanelGeometry p = PanelGeometryFor(model_.Mode().layout);
    Place(panel_, p.panel);
    Place(GetDlgItem(panel_, ids::kPanelFrame), p.frame);
    for (int r = 0; r < 6; ++r)
        Place(GetDlgItem(panel_, ids::PanelLabel(r)), p.settingRows[static_cast<std::size_t>(r)].label);
    Place(GetDlgItem(panel_, ids::PanelLabel(6)), p.rulesHeading);
    for (int r = 0; r < kRuledLineGroups; ++r)
        Place(GetDlgItem(panel_, ids::RuledLineBox(r)), p.ruleRows[static_cast<std::size_t>(r)].label);
    for (const PanelFieldControl& f : kPanelFields) {
        const PanelRowGeometry& row = f.row < 6 ? p.settingRows[static_cast<std::size_t>(f.row)]
                                                : p.ruleRows[static_cast<std::size_t>(f.row - 6)];
        TwipsRect rect = row.fields[static_cast<std::size_t>(f.column)];
        if (f.combo)
            rect.height += kEditorListRows * rect.height;  // a combo's height includes its list
        Place(GetDlgItem(panel_, f.id), rect);
    }
    Place(GetDlgItem(panel_, ids::kCopyFrame), p.copyFrame);
    Place(GetDlgItem(panel_, ids::CopyLayoutOption(0)), p.copyOptions[0]);
    Place(GetDlgItem(panel_, ids::CopyLayoutOption(1)), p.copyOptions[1]);
    Place(GetDlgItem(panel_, ids::kSeenAreas), p.seenAreas);
    Place(GetDlgItem(panel_, ids::kTotalRow), p.totalRow);
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
    FillCombo(nameEditor_.combo, model_.Lists().items);
    FillCombo(unitEditor_.combo, model_.Lists().units);
    for (const PanelFieldControl& f : kPanelFields)
        if (f.combo)
            FillCombo(GetDlgItem(panel_, f.id), model_.ListEntries(f.field));
}

void MainWindow::Show(int showCommand) {
    FillLists();
    checkLineRoom_ = !model_.CheckSummaryText().empty();
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
        if (findings_.Handle() && IsDialogMessageW(findings_.Handle(), &message))
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
            // Enter (it walks the rows) and Esc (it puts the row back) belong to the editor,
            // not to the dialog navigation.
            LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
            return PendingKey(lParam, {VK_RETURN, VK_ESCAPE}) ? code | DLGC_WANTALLKEYS : code;
        }
        case WM_KEYDOWN: {
            // The combo closes its list first, then the editor walks on or puts the row back.
            HWND combo = GetParent(edit);
            const bool dropped = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            window->OnEditorKey(combo, static_cast<int>(wParam), dropped);
            return result;
        }
        case WM_CHAR:
            if (wParam == L'\r' || wParam == 0x1B)
                return 0;  // no beep for the Enter or the Esc the editor took
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
            return PendingKey(lParam, {VK_RETURN}) ? code | DLGC_WANTALLKEYS : code;
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
            OnSwatchClicked(static_cast<int>(wParam));
            return 0;
        case kSwatchDropped:
            gestures_.DropSwatch(static_cast<int>(wParam), static_cast<int>(lParam));
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
            model_.Exit();
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
        OnMenuCommand(static_cast<Command>(id - ids::kMenuBase));
        AfterEvent();
        return;
    }
    if (id == IDOK && !control) {
        // Enter where no control takes it: the dialog keys ask for the default button, which
        // this window does not name. The focused push button is pressed, as in a dialog.
        HWND focus = GetFocus();
        if (focus && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            SendMessageW(focus, BM_CLICK, 0, 0);
        return;
    }
    if (rendering_) {
        // Programmatic changes notify too; only a lost focus is a real event then.
        if (code == CBN_KILLFOCUS)
            renderAgain_ = true;
        else
            return;
    }
    if (control == nameEditor_.combo || control == unitEditor_.combo) {
        OnEditorCommand(control == nameEditor_.combo ? EditorColumn::Name : EditorColumn::Unit, code, control);
        return;
    }
    for (int i = 1; i <= kRowCount; ++i) {
        if (id == ids::Name(i) && code == STN_CLICKED)
            gestures_.OpenEditor(EditorColumn::Name, i);
        else if (id == ids::Unit(i) && code == STN_CLICKED)
            gestures_.OpenEditor(EditorColumn::Unit, i);
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
        gestures_.ClickSwatchButton();
    } else if (id == ids::kUpperCase) {
        model_.SetUpperCaseColourNames(IsChecked(control));
        gestures_.FollowRows();
    } else if (id == ids::kOk) {
        model_.Ok();
    } else if (id == ids::kCopyOk) {
        model_.CopyTable();
    } else if (id == ids::kPreview) {
        ShowPreview();
    } else if (id == ids::kFindingsButton) {
        ShowFindings();
    } else if (id == IDCANCEL && panelVisible_ && gestures_.Accepting()) {  // Esc closes the settings panel
        panelVisible_ = false;
    } else {
        return;
    }
    AfterEvent();
}

// Opens the preview, or brings it forward, with the table as it stands; the menu mark
// follows when the user closes it.
void MainWindow::ShowPreview() {
    if (!DrawsTable(model_.Mode().output))
        return;
    preview_.SetPicture(model_.Preview());
    preview_.Show(window_, [this] { AfterEvent(); });
}

// Opens the findings list, or brings it forward, with the keyboard in it; closed, the keyboard
// comes back to the button.
void MainWindow::ShowFindings() {
    findings_.SetFindings(model_.TableFindings());
    findings_.Show(window_, [this] {
        SetFocus(Shown(detailsButton_) ? detailsButton_ : titleBox_);
        AfterEvent();
    });
}

// Commands of disabled menus are ignored, as are all while the hand-off runs.
void MainWindow::OnMenuCommand(Command command) {
    if (!gestures_.Accepting() || !model_.StateOf(command, panelVisible_).enabled)
        return;
    if (std::optional<int> alignment = AlignmentOf(command)) {
        model_.SetNameAlignment(*alignment);
        return;
    }
    switch (command) {
        case Command::OpenTable:
            if (std::optional<std::string> path = ShowFileDialog(window_, kOpenTableRequest))
                if (model_.OpenTableFile(*path))
                    gestures_.FollowRows();
            break;
        case Command::SaveTable:
            if (std::optional<std::string> path = ShowFileDialog(window_, kSaveTableRequest))
                model_.SaveTableFile(*path);
            break;
        case Command::Exit:
            model_.Exit();
            break;
        case Command::TableSettings:
            panelVisible_ = true;
            break;
        case Command::About:
            ShowAboutDialog(window_);
            break;
        case Command::Preview:
            if (preview_.Shown())
                preview_.Hide();
            else
                ShowPreview();
            break;
        default:
            break;  // the menu-bar entries only open their menus
    }
}

void MainWindow::OnEditorCommand(EditorColumn column, int code, HWND combo) {
    switch (code) {
        case CBN_EDITCHANGE:
            gestures_.EditorTextChanged(column, WindowText(combo));
            break;
        case CBN_SELCHANGE:
            gestures_.EditorTextChanged(column, PickedText(combo));
            break;
        case CBN_KILLFOCUS:
            // Focus moving between the combo and its own edit box is no loss.
            if (HoldsFocus(combo))
                return;
            gestures_.EditorFocusLost(column);
            break;
        default:
            return;
    }
    AfterEvent();
}

void MainWindow::OnEditorKey(HWND combo, int keyCode, bool listWasDropped) {
    const EditorColumn column = combo == nameEditor_.combo ? EditorColumn::Name : EditorColumn::Unit;
    if (keyCode == VK_RETURN) {
        gestures_.EditorEnter(column);
    } else if (keyCode == VK_ESCAPE && listWasDropped) {
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);  // the first Esc only closes the list
        return;
    } else if (keyCode == VK_ESCAPE) {
        const int row = gestures_.Editor(column).row;
        gestures_.CancelEditor(column);
        // The focus goes back to the cell the editor covered.
        if (!gestures_.Editor(column).open && row >= 1 && row <= kRowCount)
            SetFocus(CellOf(column, row));
    } else {
        return;
    }
    AfterEvent();
}

HWND MainWindow::CellOf(EditorColumn column, int row) const {
    const RowControls& controls = rows_[static_cast<std::size_t>(row)];
    return column == EditorColumn::Unit ? controls.unit : controls.name;
}

void MainWindow::OnCellOpenKey(HWND cell) {
    const int id = GetDlgCtrlID(cell);
    if (id > ids::Name(0) && id <= ids::Name(kRowCount))
        gestures_.OpenEditor(EditorColumn::Name, id - ids::Name(0));
    else if (id > ids::Unit(0) && id <= ids::Unit(kRowCount))
        gestures_.OpenEditor(EditorColumn::Unit, id - ids::Unit(0));
    else
        return;
    AfterEvent();
}

void MainWindow::OnSwatchClicked(int swatch) {
    gestures_.ClickSwatch(swatch, [this](std::uint32_t flags) { return ShowColourDialog(window_, kBlack, flags); });
    AfterEvent();
}

void MainWindow::OnPanelCommand(int id, int code, HWND control) {
    if (rendering_ || !panelVisible_ || !gestures_.Accepting())
        return;
    if (const PanelFieldControl* f = PanelFieldById(id)) {
        if (code == CBN_SELCHANGE && f->field == PanelField::Rounding)
            model_.SetRounding(PickedText(control));  // a picked rounding recomputes the quantities
        else if (code == CBN_SELCHANGE)
            model_.SetSetting(f->field, PickedText(control));
        else if (code == CBN_EDITCHANGE || code == EN_CHANGE)
            model_.SetSetting(f->field, WindowText(control));
        else
            return;
    } else if (code != BN_CLICKED) {
        return;
    } else if (id == ids::kPanelOk) {
        panelVisible_ = false;
    } else if (id >= ids::RuledLineBox(0) && id < ids::RuledLineBox(kRuledLineGroups)) {
        model_.SetRuledLines(id - ids::RuledLineBox(0), IsChecked(control));
    } else if (id == ids::CopyLayoutOption(0) || id == ids::CopyLayoutOption(1)) {
        model_.SetCopyLayout(id - ids::CopyLayoutOption(0));
    } else if (id == ids::kTotalRow) {
        model_.SetTotalRow(IsChecked(control));
    } else if (id == ids::kSeenAreas) {
        model_.SetSeenAreas(IsChecked(control));
    } else {
        return;
    }
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

// Swatches show their colour as "R:.. G:.. B:..", unit cells their whole unit entry, name
// cells and the findings line their whole text when they show it cut short.
void MainWindow::OnTooltipText(NMTTDISPINFOW& info) {
    HWND tool = reinterpret_cast<HWND>(info.hdr.idFrom);
    tooltipText_.clear();
    int id = GetDlgCtrlID(tool);
    const Table& table = model_.GetTable();
    if (int swatch = SwatchNumber(tool)) {
        const TableRow& row = table.Row(SwatchRow(swatch));
        tooltipText_ = utf16::Widen(SwatchTip(IsLeftSwatch(swatch) ? row.colour : row.newColour, model_.Background()));
    } else if (id > ids::Unit(0) && id <= ids::Unit(kRowCount)) {
        tooltipText_ = utf16::Widen(table.Row(id - ids::Unit(0)).unitEntry);
    } else if (id > ids::Name(0) && id <= ids::Name(kRowCount)) {
        std::wstring name = utf16::Widen(table.Row(id - ids::Name(0)).name);
        if (!FitsIn(tool, name))
            tooltipText_ = std::move(name);
    } else if (tool == checkLine_) {
        std::wstring line = utf16::Widen(model_.CheckSummaryText());
        if (!FitsIn(tool, line))
            tooltipText_ = std::move(line);
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
    const ModeRecord& mode = model_.Mode();
    const FormLayout& layout = mode.layout;
    SetText(window_, model_.Caption());
    SetText(titleLabel_, layout.titleLabel);
    SetText(titleBox_, model_.Title());
    SetText(headSwatch_, layout.swatchHeading);
    SetText(headName_, layout.nameHeading);
    SetVisible(headQuantity_, layout.quantityColumns);
    SetText(swatchButton_, SwatchModeCaption(gestures_.SwatchState()));
    SetVisible(swatchButton_, layout.swapButtonVisible);
    SetText(hint_, SwatchHint(mode, gestures_.SwatchState()));
    SetVisible(upperCase_, layout.upperCaseBoxVisible);
    SetChecked(upperCase_, model_.Settings().upperCaseColourNames != 0);
    SetVisible(copyOk_, layout.copyButtonVisible);
    SetVisible(previewButton_, DrawsTable(mode.output));
    const std::string& findings = model_.CheckSummaryText();
    SetText(checkLine_, findings);
    SetVisible(checkLine_, checkLineRoom_ && !findings.empty());
    SetVisible(detailsButton_, checkLineRoom_ && !findings.empty());
    RenderRows();
    RenderEditor(EditorColumn::Name);
    RenderEditor(EditorColumn::Unit);
    RenderPanel();
    RenderMenus();
    // The preview follows every edit at once.
    if (preview_.Shown())
        preview_.SetPicture(model_.Preview());
    if (findings_.Shown())
        findings_.SetFindings(model_.TableFindings());
}

void MainWindow::RenderRows() {
    const Table& table = model_.GetTable();
    const bool white = model_.SwatchTextWhite();
    const bool draggable = gestures_.LeftSwatchesDraggable();
    const DWORD alignment = NameAlignmentStyle(model_.NameAlignment());
    const FloatingEditor& nameEditor = gestures_.Editor(EditorColumn::Name);
    const FloatingEditor& unitEditor = gestures_.Editor(EditorColumn::Unit);
    for (int i = 1; i <= kRowCount; ++i) {
        const TableRow& row = table.Row(i);
        const RowControls& controls = rows_[static_cast<std::size_t>(i)];
        SetSwatchLook(controls.left, {row.colour, std::string(model_.SwatchMark(i, false)), white, draggable});
        SetSwatchLook(controls.right, {row.newColour, std::string(model_.SwatchMark(i, true)), white, false});
        LONG_PTR style = GetWindowLongPtrW(controls.name, GWL_STYLE);
        if ((static_cast<DWORD>(style) & SS_TYPEMASK) != alignment) {
            SetWindowLongPtrW(controls.name, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | alignment);
            InvalidateRect(controls.name, nullptr, TRUE);
        }
        SetText(controls.name, row.name);
        SetText(controls.quantity, row.quantity);
        SetText(controls.unit, UnitCaption(row.unitEntry));
        // A cell under its open editor is no tab stop: Tab goes on from the editor to the next cell.
        SetTabStop(controls.name, !(nameEditor.open && nameEditor.row == i));
        SetTabStop(controls.unit, !(unitEditor.open && unitEditor.row == i));
    }
}

void MainWindow::RenderEditor(EditorColumn column) {
    const FloatingEditor& editor = gestures_.Editor(column);
    EditorControl& control = EditorControlOf(column);
    HWND combo = control.combo;
    if (!editor.open || editor.row < 1 || editor.row > kRowCount) {
        control.laidOpening = -1;
        SetVisible(combo, false);
        return;
    }
    SetText(combo, editor.text);
    if (control.laidOpening == editor.opening && Shown(combo))
        return;
    // Over the cell, and just above it in z-order, so that Tab goes on from the cell's place.
    const bool unitColumn = column == EditorColumn::Unit;
    HWND cell = CellOf(column, editor.row);
    const RowGeometry& rg = geometry_.rows[static_cast<std::size_t>(editor.row)];
    TwipsRect rect = unitColumn ? rg.unit : rg.name;
    rect.height += kEditorListRows * rect.height;
    HWND above = GetWindow(cell, GW_HWNDPREV);
    Place(combo, rect, above ? above : HWND_TOP);
    control.laidOpening = editor.opening;
    ShowWindow(combo, SW_SHOW);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));  // typing replaces the value
    if (!HoldsFocus(combo))
        SetFocus(combo);
}

// While the panel is shown, every control behind it is disabled: none takes the keyboard
// (Tab cycles inside the panel) or the mouse. The focus goes into the panel before the
// controls are disabled and comes back after they are enabled again.
void MainWindow::RenderPanel() {
    if (panelVisible_ && !Shown(panel_)) {
        SetWindowPos(panel_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetFocus(GetDlgItem(panel_, ids::kPanelOk));
    }
    const FormLayout& form = model_.Mode().layout;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == panel_)
            continue;
        const bool enabled = child == swatchButton_ ? form.swapButtonEnabled
                             : child == copyOk_     ? form.copyButtonEnabled
                                                    : true;
        SetEnabled(child, enabled && !panelVisible_);
    }
    if (!panelVisible_ && Shown(panel_)) {
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
        SetChecked(GetDlgItem(panel_, ids::RuledLineBox(g)), RuledLineSwitch(settings, g) != 0);
    std::optional<int> layout = model_.CopyLayout();
    SetChecked(GetDlgItem(panel_, ids::CopyLayoutOption(0)), layout == 0);
    SetChecked(GetDlgItem(panel_, ids::CopyLayoutOption(1)), layout == 1);
    SetChecked(GetDlgItem(panel_, ids::kSeenAreas), settings.seenAreas != 0);
    SetChecked(GetDlgItem(panel_, ids::kTotalRow), settings.totalRow != 0);
}

void MainWindow::RenderMenus() {
    HMENU bar = GetMenu(window_);
    bool barChanged = false;
    int position = -1;
    for (const MenuDef& def : MenuBar()) {
        CommandState state = model_.StateOf(def.command, panelVisible_, preview_.Shown());
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
