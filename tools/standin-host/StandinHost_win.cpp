// A stand-in for Jw_cad's main window, for the hand-off's end-to-end tests only (never
// shipped): the window hierarchy the hand-off searches, logging each message it receives,
// in order, one line each, to a log file.
//
//   standin-host.exe --log Z:\tmp\host.log --coordinate-file Z:\tmp\ZTEMP.TXT --last-line "h# end"
//       [--bar-class AfxControlBar140su] [--bars 3] [--toolbar-in 3] [--no-unit-button]
//       [--slow-first-command 2500] [--quit-after 120000] [--snapshot Z:\tmp\at-read.txt]
//
// --snapshot: at each posted read command, the coordinate file's bytes as they are then are
// copied to this file (a missing coordinate file removes it), for a byte-exact check.
//
// Log lines:
//   ready
//   main WM_COMMAND 32895 0
//   unit WM_LBUTTONDOWN
//   dialog clicked 1068 unit
//   dialog posted WM_COMMAND 1108 lparam=read file=complete
//   read WM_LBUTTONUP
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kUnitButtonId = 1068;
constexpr UINT kWriteButtonId = 1069;
constexpr UINT kReadButtonId = 1108;
constexpr UINT_PTR kQuitTimer = 1;

struct Options {
    std::wstring log;
    std::wstring coordinateFile;
    std::string lastLine;  // ASCII: the line the complete coordinate file ends with (then CR LF)
    std::wstring barClass = L"AfxControlBar42s";
    int bars = 3;
    int toolbarIn = 3;
    bool unitButton = true;
    int slowFirstCommandMs = 0;
    int quitAfterMs = 120000;
    std::wstring snapshot;
};

Options gOptions;
HWND gDialog = nullptr;
HWND gReadButton = nullptr;
HWND gUnitButton = nullptr;
WNDPROC gButtonProc = nullptr;
bool gDispatchingPosted = false;
bool gFirstCommandSeen = false;

void Log(const std::string& line) {
    FILE* f = _wfopen(gOptions.log.c_str(), L"ab");
    if (f == nullptr)
        return;
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
}

std::string Narrow(const std::wstring& wide) {
    std::string out;
    for (wchar_t c : wide)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

const char* NameOf(HWND hwnd) {
    if (hwnd == gReadButton)
        return "read";
    if (hwnd == gUnitButton)
        return "unit";
    return "other";
}

// Is the coordinate file there, and does it end with its last line? Copies it to the
// snapshot file when one is asked for.
const char* CoordinateFileState() {
    FILE* f = _wfopen(gOptions.coordinateFile.c_str(), L"rb");
    if (f == nullptr) {
        if (!gOptions.snapshot.empty())
            _wremove(gOptions.snapshot.c_str());
        return "missing";
    }
    std::string bytes;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    if (!gOptions.snapshot.empty()) {
        if (FILE* copy = _wfopen(gOptions.snapshot.c_str(), L"wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), copy);
            std::fclose(copy);
        }
    }
    const std::string tail = gOptions.lastLine + "\r\n";
    return bytes.size() >= tail.size() && bytes.compare(bytes.size() - tail.size(), tail.size(), tail) == 0
               ? "complete"
               : "incomplete";
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN)
        Log(std::string(NameOf(hwnd)) + " WM_LBUTTONDOWN");
    if (message == WM_LBUTTONUP)
        Log(std::string(NameOf(hwnd)) + " WM_LBUTTONUP");
    return CallWindowProcW(gButtonProc, hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && !gDispatchingPosted && HIWORD(wParam) == BN_CLICKED) {
        Log("dialog clicked " + std::to_string(LOWORD(wParam)) + " " + NameOf(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Log("main WM_COMMAND " + std::to_string(wParam) + " " + std::to_string(lParam));
            if (wParam == 32895 && !gFirstCommandSeen) {
                gFirstCommandSeen = true;
                Sleep(static_cast<DWORD>(gOptions.slowFirstCommandMs));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kQuitTimer)
                DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HWND Child(const wchar_t* className, const wchar_t* caption, DWORD style, HWND parent, int y, UINT id = 0) {
    return CreateWindowExW(0, className, caption, WS_CHILD | WS_VISIBLE | style, 0, y, 400, 30, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

HWND Button(const wchar_t* caption, UINT id, int x) {
    HWND button = Child(L"Button", caption, BS_PUSHBUTTON, gDialog, 0, id);
    SetWindowPos(button, nullptr, x, 0, 120, 26, SWP_NOZORDER);
    gButtonProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
    return button;
}

// The dialog hosted by the 条件設定 toolbar, made from an in-memory template without controls.
void AddDialog(HWND toolbar) {
    struct alignas(4) {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } form{{DS_CONTROL | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 300, 20}, 0, 0, 0};
    gDialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &form.header, toolbar, &DialogProc, 0);
    if (gOptions.unitButton)
        gUnitButton = Button(L"\uFF4D 単位読書", kUnitButtonId, 0);
    Button(L"ファイル書込", kWriteButtonId, 130);
    gReadButton = Button(L"ファイル読込", kReadButtonId, 260);
}

HWND CreateFrame() {
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = &FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = L"VemoraStandInFrame";
    RegisterClassW(&frameClass);
    WNDCLASSW barClass{};
    barClass.lpfnWndProc = &DefWindowProcW;
    barClass.hInstance = GetModuleHandleW(nullptr);
    barClass.lpszClassName = gOptions.barClass.c_str();
    RegisterClassW(&barClass);

    HWND frame = CreateWindowExW(0, L"VemoraStandInFrame", L"無題 - jw_win", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                 480, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Child(L"Static", L"", 0, frame, 0);  // the view comes before the bars
    for (int i = 1; i <= gOptions.bars; ++i) {
        HWND bar = Child(gOptions.barClass.c_str(), L"", 0, frame, 40 * i);
        // An MFC status bar sits among the control bars.
        if (i == 1)
            Child(STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE, frame, 250);
        const bool conditionBar = i == gOptions.toolbarIn;
        HWND toolbar = Child(TOOLBARCLASSNAMEW, conditionBar ? L"条件設定" : L"作図",
                             CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, bar, 0);
        if (conditionBar)
            AddDialog(toolbar);
    }
    return frame;
}

bool ParseOptions() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == L"--no-unit-button")
            gOptions.unitButton = false;
        else if (!hasValue)
            return false;
        else if (a == L"--log")
            gOptions.log = args[++i];
        else if (a == L"--coordinate-file")
            gOptions.coordinateFile = args[++i];
        else if (a == L"--last-line")
            gOptions.lastLine = Narrow(args[++i]);
        else if (a == L"--bar-class")
            gOptions.barClass = args[++i];
        else if (a == L"--bars")
            gOptions.bars = std::stoi(args[++i]);
        else if (a == L"--toolbar-in")
            gOptions.toolbarIn = std::stoi(args[++i]);
        else if (a == L"--slow-first-command")
            gOptions.slowFirstCommandMs = std::stoi(args[++i]);
        else if (a == L"--quit-after")
            gOptions.quitAfterMs = std::stoi(args[++i]);
        else if (a == L"--snapshot")
            gOptions.snapshot = args[++i];
        else
            return false;
    }
    return !gOptions.log.empty() && !gOptions.coordinateFile.empty();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    if (!ParseOptions())
        return 2;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND frame = CreateFrame();
    if (frame == nullptr || gDialog == nullptr || gReadButton == nullptr) {
        Log("no window hierarchy: check --bars and --toolbar-in");
        return 3;
    }
    SetTimer(frame, kQuitTimer, static_cast<UINT>(gOptions.quitAfterMs), nullptr);
    Log("ready bars=" + Narrow(gOptions.barClass) + "x" + std::to_string(gOptions.bars) +
        " toolbar-in=" + std::to_string(gOptions.toolbarIn));

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Posted commands come through here; those a click sends go straight to DialogProc.
        const bool postedToDialog = msg.hwnd == gDialog && msg.message == WM_COMMAND;
        if (postedToDialog) {
            const bool fromRead = reinterpret_cast<HWND>(msg.lParam) == gReadButton;
            Log("dialog posted WM_COMMAND " + std::to_string(msg.wParam) + " lparam=" + (fromRead ? "read" : "other") +
                " file=" + CoordinateFileState());
        }
        gDispatchingPosted = postedToDialog;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        gDispatchingPosted = false;
    }
    Log("exit");
    return 0;
}
