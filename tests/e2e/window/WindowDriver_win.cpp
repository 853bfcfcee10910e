// Drives a running Vemora.exe as a user would, for the end-to-end tests: finds its main
// window and controls by class and control ID, clicks, types, drags with the real mouse,
// answers message boxes and the colour dialog. Reads one command per line from a script
// (UTF-8); every wait is bounded. Exit code 0 when every command succeeded.
//
//   vemora-window-driver.exe SCRIPT
//
// Commands (IDs are those of platform/win32/ControlIds.h):
//   main                      wait for the main window
//   click ID                  a mouse click on the control (button, cell, swatch)
//   menu ID                   a menu command
//   type ID TEXT              WM_CHAR per character into the control (a combo: its edit box)
//   key ID VK                 key down and up (decimal virtual-key code) in the control
//                             (ID 0 in type and key: the control that has the keyboard focus)
//   focus ID                  wait until the keyboard focus is on the control or inside it
//   hover ID TEXT             the real mouse rests on the control; wait for its tooltip TEXT
//   pick ID TEXT              choose the list entry of a combo box, as a click in its list does
//   drag FROM TO              the real mouse drags swatch FROM onto swatch TO
//   text ID TEXT              wait until the control shows TEXT ("" for empty)
//   visible ID 0|1            wait until the control is hidden or shown
//   enabled ID 0|1            wait until the control is disabled or enabled
//   checked ID 0|1            wait until the check box is cleared or set
//   caption TEXT              wait until the main window's caption is TEXT
//   close                     the close box
//   box BUTTON TEXT           wait for a message box whose text contains TEXT, press BUTTON
//                             (1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No)
//   retrybox BUTTON TEXT      wait for a system-modal (topmost) Retry/Cancel box titled Vemora
//                             whose text is exactly TEXT (\r \n \t \\), press BUTTON
//   log FILE TEXT             wait until the text file FILE holds a line that is TEXT
//   nolog FILE TEXT           FILE holds no line that is TEXT now (a missing file holds none)
//   colour R G B              wait for the colour dialog, set the colour, press OK
//   clipboard TEXT            wait until the clipboard holds TEXT as Unicode text (\t \r \n \\)
//   shot                      wait until the main window is idle (for screenshots)
#include <windows.h>

#include <colordlg.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/Utf16.h"
#include "platform/win32/ControlIds.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(20);

// Text of a window of another thread, read by WM_GETTEXT with a bounded wait.
std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &ignored);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Polls `ready` until it holds or the time is up.
template <typename Ready>
bool WaitFor(Ready ready) {
    const auto end = Clock::now() + kTimeout;
    while (Clock::now() < end) {
        if (ready())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

HWND gMain = nullptr;
DWORD gProcess = 0;

HWND FindMain() {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, L"VemoraMain", nullptr)))
        if (IsWindowVisible(found))
            return found;
    return nullptr;
}

// A control of the main window or of its settings panel (ids::kPanel).
HWND Control(int id) {
    if (HWND control = GetDlgItem(gMain, id))
        return control;
    return GetDlgItem(GetDlgItem(gMain, ids::kPanel), id);
}

// The window that has the keyboard focus in the program's window thread.
HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(gMain, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Focus that is only passing through: a combo box hands it straight on to its edit box, and
// the main window holds it only between two of its controls.
bool InPassing(HWND focus) {
    return focus == gMain ||
           (focus && ClassOf(focus) == L"ComboBox" && FindWindowExW(focus, nullptr, L"Edit", nullptr));
}

// The focus once it has come to rest (bounded): a key sent to it goes where the program's own
// focus is.
HWND SettledFocus() {
    HWND focus = Focus();
    for (auto end = Clock::now() + std::chrono::milliseconds(300); InPassing(focus) && Clock::now() < end;
         focus = Focus())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return focus;
}

// A visible tooltip window of the program showing `text`.
bool TooltipShows(const std::wstring& text) {
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr))) {
        DWORD process = 0;
        GetWindowThreadProcessId(tip, &process);
        if (process == gProcess && IsWindowVisible(tip) && TextOf(tip) == text)
            return true;
    }
    return false;
}

// A combo box takes text and keys in its edit box.
HWND InputTarget(HWND control) {
    if (ClassOf(control) != L"ComboBox")
        return control;
    HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
    return edit ? edit : control;
}

void PostClick(HWND control) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// A top-level dialog of Vemora's process (message box, colour dialog), or nullptr.
HWND FindDialog(bool (*accept)(HWND)) {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, L"#32770", nullptr))) {
        DWORD process = 0;
        GetWindowThreadProcessId(found, &process);
        // Before the main window is known, any box but the driver's own.
        bool ours = gProcess ? process == gProcess : process != GetCurrentProcessId();
        if (ours && IsWindowVisible(found) && accept(found))
            return found;
    }
    return nullptr;
}

std::wstring gBoxText;  // what the box being waited for must contain (or be)

// Does one of the dialog's labels pass `match`?
template <typename Match>
bool HasStatic(HWND dialog, Match match) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Static" && match(TextOf(child)))
            return true;
    return false;
}

bool BoxHasText(HWND dialog) {
    return HasStatic(dialog, [](const std::wstring& text) { return text.find(gBoxText) != std::wstring::npos; });
}

// A system-modal box stays on top of every window; its buttons are exactly Retry and Cancel.
bool IsSystemModalRetryBox(HWND dialog) {
    if ((GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 || TextOf(dialog) != L"Vemora")
        return false;
    if (!GetDlgItem(dialog, IDRETRY) || !GetDlgItem(dialog, IDCANCEL) || GetDlgItem(dialog, IDOK))
        return false;
    return HasStatic(dialog, [](const std::wstring& text) { return text == gBoxText; });
}

// Does the text file hold a line (CR LF or LF) that is `text`? False when it cannot be read.
bool FileHasLine(const std::string& path, const std::string& text) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == text)
            return true;
    }
    return false;
}

bool IsColourDialog(HWND dialog) {
    return GetDlgItem(dialog, COLOR_RED) != nullptr;
}

void MoveMouse(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

void MouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

POINT CentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The text with the escapes \t, \r, \n and \\ replaced.
std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool Fail(const std::string& what) {
    std::fprintf(stderr, "driver: %s\n", what.c_str());
    return false;
}

// Presses the box's button as a click does and waits until the box is gone.
bool PressBoxButton(HWND box, int button, const std::string& line) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return WaitFor([&] { return !IsWindow(box); }) || Fail("box stays: " + line);
}

// The rest of the line after the first `skip` words (the text argument, blanks kept).
std::string RestAfter(const std::string& line, int skip) {
    std::size_t at = 0;
    for (int i = 0; i < skip; ++i) {
        at = line.find(' ', at);
        if (at == std::string::npos)
            return {};
        ++at;
    }
    std::string rest = line.substr(at);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    return rest;
}

bool Run(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command.empty() || command[0] == '#')
        return true;
    if (command == "main") {
        if (!WaitFor([] { return (gMain = FindMain()) != nullptr; }))
            return Fail("no main window");
        GetWindowThreadProcessId(gMain, &gProcess);
        return true;
    }
    if (command == "box" || command == "retrybox") {
        int button = 0;
        words >> button;
        const bool retryBox = command == "retrybox";
        gBoxText = utf16::Widen(retryBox ? Unescape(RestAfter(line, 2)) : RestAfter(line, 2));
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = FindDialog(retryBox ? IsSystemModalRetryBox : BoxHasText)) != nullptr; }))
            return Fail("no box: " + line);
        return PressBoxButton(box, button, line);
    }
    if (command == "log" || command == "nolog") {
        std::string path;
        words >> path;
        const std::string text = RestAfter(line, 2);
        if (command == "nolog")
            return !FileHasLine(path, text) || Fail("already logged: " + line);
        return WaitFor([&] { return FileHasLine(path, text); }) || Fail("not logged: " + line);
    }
    if (command == "colour") {
        int rgb[3] = {};
        words >> rgb[0] >> rgb[1] >> rgb[2];
        const int boxes[3] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindDialog(IsColourDialog)) != nullptr; }))
            return Fail("no colour dialog");
        for (int i = 0; i < 3; ++i)
            SendMessageW(GetDlgItem(dialog, boxes[i]), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(std::to_wstring(rgb[i]).c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return WaitFor([&] { return !IsWindow(dialog); }) || Fail("colour dialog stays");
    }
    if (command == "clipboard") {
        std::wstring want = utf16::Widen(Unescape(RestAfter(line, 1)));
        return WaitFor([&] { return ClipboardText() == want; }) ||
               Fail("clipboard holds " + utf16::Narrow(ClipboardText()));
    }
    if (!gMain)
        return Fail("no main window yet: " + line);
    if (command == "menu") {
        int id = 0;
        words >> id;
        PostMessageW(gMain, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return true;
    }
    if (command == "close") {
        PostMessageW(gMain, WM_CLOSE, 0, 0);
        return true;
    }
    if (command == "caption") {
        std::wstring want = utf16::Widen(RestAfter(line, 1));
        return WaitFor([&] { return TextOf(gMain) == want; }) || Fail("caption is " + utf16::Narrow(TextOf(gMain)));
    }
    if (command == "shot") {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(gMain, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0 || Fail("not idle");
    }
    if (command == "drag") {
        int from = 0, to = 0;
        words >> from >> to;
        HWND source = Control(ids::Swatch(from)), target = Control(ids::Swatch(to));
        if (!source || !target)
            return Fail("no swatch: " + line);
        POINT start = CentreOf(source), end = CentreOf(target);
        SetForegroundWindow(gMain);
        MoveMouse(start);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 8; ++step)
            MoveMouse({start.x + (end.x - start.x) * step / 8, start.y + (end.y - start.y) * step / 8});
        MouseButton(MOUSEEVENTF_LEFTUP);
        MoveMouse({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});  // no tooltip left
        return true;
    }
    int id = 0;
    words >> id;
    HWND control = id == 0 ? SettledFocus() : Control(id);
    if (!control)
        return Fail("no control " + std::to_string(id));
    if (command == "focus")
        return WaitFor([&] {
                   HWND focus = Focus();
                   return focus && (focus == control || IsChild(control, focus));
               }) ||
               Fail(line + ": the focus is in control " + std::to_string(GetDlgCtrlID(Focus())));
    if (command == "hover") {
        std::wstring want = utf16::Widen(RestAfter(line, 2));
        SetForegroundWindow(gMain);
        POINT centre = CentreOf(control);
        MoveMouse({centre.x - 1, centre.y});
        MoveMouse(centre);
        return WaitFor([&] { return TooltipShows(want); }) || Fail("no tooltip: " + line);
    }
    if (command == "click") {
        PostClick(control);
        return true;
    }
    if (command == "type") {
        HWND input = InputTarget(control);
        for (wchar_t c : utf16::Widen(RestAfter(line, 2)))
            PostMessageW(input, WM_CHAR, c, 1);
        return true;
    }
    if (command == "key") {
        int vk = 0;
        words >> vk;
        HWND input = InputTarget(control);
        PostMessageW(input, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        PostMessageW(input, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
        // A key sent to the focus: wait until the focus has moved on and come to rest, or a
        // moment has passed, so that the next key goes where the focus is then and is not
        // queued behind this one.
        for (auto end = Clock::now() + std::chrono::milliseconds(300); id == 0 && Clock::now() < end;) {
            HWND focus = Focus();
            if (focus != control && focus != input && !InPassing(focus))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
    if (command == "pick") {
        std::wstring entry = utf16::Widen(RestAfter(line, 2));
        LRESULT index =
            SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
        if (index == CB_ERR)
            return Fail("no entry: " + line);
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        return true;
    }
    if (command == "text") {
        std::wstring want = utf16::Widen(RestAfter(line, 2));
        return WaitFor([&] { return TextOf(control) == want; }) ||
               Fail("control " + std::to_string(id) + " shows \"" + utf16::Narrow(TextOf(control)) + "\", not \"" +
                    utf16::Narrow(want) + "\"");
    }
    int flag = 0;
    words >> flag;
    if (command == "visible")
        return WaitFor([&] { return (IsWindowVisible(control) != FALSE) == (flag != 0); }) || Fail(line);
    if (command == "enabled")
        return WaitFor([&] { return (IsWindowEnabled(control) != FALSE) == (flag != 0); }) || Fail(line);
    if (command == "checked")
        return WaitFor([&] { return (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) == (flag != 0); }) ||
               Fail(line);
    return Fail("unknown command: " + line);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vemora-window-driver SCRIPT\n");
        return 2;
    }
    std::ifstream script(argv[1], std::ios::binary);
    if (!script)
        return Fail(std::string("cannot read ") + argv[1]), 2;
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!Run(line)) {
            std::fprintf(stderr, "driver: script line %d failed\n", number);
            return 1;
        }
    }
    return 0;
}
