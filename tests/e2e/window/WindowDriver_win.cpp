// Drives a running Vemora.exe as a user would, for the end-to-end journeys: finds its main
// window and controls by class and control ID, clicks, types, drags with the real mouse,
// answers message boxes and the colour dialog. Reads one command per line from a script
// (UTF-8); every wait is bounded. Exit code 0 when every command succeeded.
//
//   vemora-window-driver.exe SCRIPT
//
// Commands (IDs are those of platform/win32/ControlIds.h; ID 0 is the control that has the
// keyboard focus once it has come to rest; TEXT is the rest of the line, "" for empty):
//   main                      wait for the main window
//   caption TEXT              wait until the main window's caption is TEXT
//   menu ID                   a menu command
//   click ID                  a mouse click on the control (button, cell, swatch)
//   type ID TEXT              WM_CHAR per character into the control (a combo: its edit box)
//   key ID VK                 key down and up (decimal virtual-key code); a key sent to the
//                             focus waits until the focus has moved on and come to rest
//   focus ID                  wait until the keyboard focus is on the control or inside it
//   text ID TEXT              wait until the control shows TEXT
//   visible ID 0|1            wait until the control is hidden or shown
//   enabled ID 0|1            wait until the control is disabled or enabled
//   hover ID TEXT             the real mouse rests on the control; wait for its tooltip TEXT
//   drag FROM TO              the real mouse drags swatch FROM onto swatch TO
//   colour R G B              wait for the colour dialog, set the colour, press OK
//   box BUTTON TEXT           wait for a message box whose text contains TEXT, press BUTTON
//                             (1 OK, 2 Cancel, 4 Retry)
//   retrybox BUTTON FILE      wait for a system-modal (topmost) Retry/Cancel box titled Vemora
//                             whose text is exactly that of FILE, press BUTTON
//   clipboard FILE            wait until the clipboard holds the text of FILE
//   log FILE TEXT             wait until the text file FILE holds a line that is TEXT
//   nolog FILE TEXT           FILE holds no line that is TEXT now
//   shot                      wait until the main window is idle (for screenshots)
//   pixels CLASS FILE         wait for Vemora's visible top-level window of CLASS, let it paint,
//                             write the screen pixels of its client area to FILE (24-bit BMP)
// FILE in retrybox and clipboard: UTF-8, its line ends taken as CR LF, as Windows shows lines.
#include <windows.h>

#include <colordlg.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "base/Utf16.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/Scoped.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

HWND gMain = nullptr;
DWORD gProcess = 0;

// Polls `ready` until it holds or the time is up.
template <typename Ready>
bool WaitFor(Ready ready, Clock::duration limit = 20s) {
    for (auto end = Clock::now() + limit; !ready(); std::this_thread::sleep_for(10ms))
        if (Clock::now() > end)
            return false;
    return true;
}

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

// Waits (bounded) for a visible top-level window of the class that belongs to Vemora (before
// the main window is known: to any process but the driver) and passes `accept`; nullptr when
// none came.
template <typename Accept>
HWND AwaitTopLevel(const wchar_t* className, Accept accept) {
    HWND found = nullptr;
    WaitFor([&] {
        while ((found = FindWindowExW(nullptr, found, className, nullptr))) {
            DWORD process = 0;
            GetWindowThreadProcessId(found, &process);
            bool ours = gProcess ? process == gProcess : process != GetCurrentProcessId();
            if (ours && IsWindowVisible(found) && accept(found))
                return true;
        }
        return false;
    });
    return found;
}

// A control of the main window, of its settings panel or of the findings window.
HWND Control(int id) {
    if (HWND control = GetDlgItem(gMain, id))
        return control;
    if (HWND control = GetDlgItem(GetDlgItem(gMain, ids::kPanel), id))
        return control;
    return GetDlgItem(FindWindowExW(nullptr, nullptr, L"VemoraFindings", nullptr), id);
}

// The window that has the keyboard focus in the program's window thread.
HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(gMain, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The edit box of a combo box that has one (it takes the combo box's text, keys and focus);
// nullptr for any other window.
HWND EditOf(HWND window) {
    return window && ClassOf(window) == L"ComboBox" ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
}

// Focus that is only passing through: a combo box hands it straight on to its edit box, and
// the main window holds it only between two of its controls.
bool InPassing(HWND focus) {
    return focus == gMain || EditOf(focus);
}

// The focus once it has come to rest (bounded): a key sent to it goes where the program's own
// focus is.
HWND SettledFocus() {
    HWND focus = nullptr;
    WaitFor([&] { return !InPassing(focus = Focus()); }, 300ms);
    return focus;
}

// The real mouse moved to the screen point, with a button flag (MOUSEEVENTF_LEFTDOWN, ...)
// pressed or released there.
void Mouse(POINT screen, DWORD button = 0) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    SendInput(1, &input, sizeof input);
    std::this_thread::sleep_for(button ? 60ms : 30ms);
}

POINT CentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The text of a UTF-8 file, each LF made CR LF.
std::wstring FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text;
    for (char c; file.get(c); text += c)
        if (c == '\n')
            text += '\r';
    return utf16::Widen(text);
}

// Does the file (LF line ends) hold a whole line that is `text`?
bool FileHasLine(const std::string& path, const std::string& text) {
    return (L"\r\n" + FileText(path)).find(L"\r\n" + utf16::Widen(text) + L"\r\n") != std::wstring::npos;
}

// The clipboard's text once it has changed since `seen`, else nothing: the driver opens the
// clipboard only then, as Vemora cannot copy while another program holds it open.
std::optional<std::wstring> ChangedClipboardText(DWORD& seen) {
    const DWORD now = GetClipboardSequenceNumber();
    if (now == seen || !OpenClipboard(nullptr))
        return std::nullopt;
    seen = now;
    std::wstring text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
        text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool Fail(const std::string& what) {
    std::fprintf(stderr, "driver: %s\n", what.c_str());
    return false;
}

// Presses the dialog's button as a click does and waits until the dialog is gone.
bool Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return WaitFor([&] { return !IsWindow(dialog); });
}

// The screen pixels of the window's client area as a 24-bit bottom-up BMP file.
bool WriteClientPixels(HWND window, const std::string& path) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = client.bottom;
    win::WindowDc screen(nullptr);
    win::MemoryDc memory(CreateCompatibleDC(screen.Get()));
    win::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        win::Selection selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY);
    }
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(rowBytes * static_cast<DWORD>(height), '\0');
    const int rows = GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(height), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER head{0x4D42, static_cast<DWORD>(sizeof head + sizeof info + pixels.size()), 0, 0,
                          static_cast<DWORD>(sizeof head + sizeof info)};
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(&head), sizeof head).write(reinterpret_cast<const char*>(&info), sizeof info);
    file.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return rows == height && file.good();
}

bool Run(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    // The rest of the line after the words read so far, blanks kept.
    auto rest = [&words] {
        std::string text;
        std::getline(words >> std::ws, text);
        return text == "\"\"" ? std::string() : text;
    };
    if (command.empty())
        return true;
    if (command == "main") {
        if (!(gMain = AwaitTopLevel(L"VemoraMain", [](HWND) { return true; })))
            return Fail("no main window");
        GetWindowThreadProcessId(gMain, &gProcess);
        return true;
    }
    if (command == "box" || command == "retrybox") {
        int button = 0;
        words >> button;
        const bool retry = command == "retrybox";
        const std::wstring want = retry ? FileText(rest()) : utf16::Widen(rest());
        auto matches = [&](HWND box) {
            // A system-modal box stays on top of every window; its buttons are exactly Retry and Cancel.
            if (retry && ((GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 || TextOf(box) != L"Vemora" ||
                          !GetDlgItem(box, IDRETRY) || !GetDlgItem(box, IDCANCEL) || GetDlgItem(box, IDOK)))
                return false;
            for (HWND label = nullptr; (label = FindWindowExW(box, label, L"Static", nullptr));)
                if (retry ? TextOf(label) == want : TextOf(label).find(want) != std::wstring::npos)
                    return true;
            return false;
        };
        HWND box = AwaitTopLevel(L"#32770", matches);
        return (box && Press(box, button)) || Fail("no box, or it stays: " + line);
    }
    if (command == "colour") {
        int rgb[3] = {};
        words >> rgb[0] >> rgb[1] >> rgb[2];
        const int boxes[3] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
        auto isColourDialog = [](HWND dialog) { return GetDlgItem(dialog, COLOR_RED) != nullptr; };
        HWND dialog = AwaitTopLevel(L"#32770", isColourDialog);
        if (!dialog)
            return Fail("no colour dialog");
        for (int i = 0; i < 3; ++i)
            SendMessageW(GetDlgItem(dialog, boxes[i]), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(std::to_wstring(rgb[i]).c_str()));
        return Press(dialog, IDOK) || Fail("colour dialog stays");
    }
    if (command == "clipboard") {
        const std::wstring want = FileText(rest());
        DWORD seen = 0;
        std::wstring last;
        auto holds = [&] {
            std::optional<std::wstring> text = ChangedClipboardText(seen);
            last = text.value_or(last);
            return text == want;
        };
        return WaitFor(holds) || Fail("clipboard holds " + utf16::Narrow(last));
    }
    if (command == "log" || command == "nolog") {
        std::string path;
        words >> path;
        const std::string text = rest();
        if (command == "nolog")
            return !FileHasLine(path, text) || Fail("already logged: " + line);
        return WaitFor([&] { return FileHasLine(path, text); }) || Fail("not logged: " + line);
    }
    if (!gMain)
        return Fail("no main window yet: " + line);
    if (command == "caption") {
        const std::wstring want = utf16::Widen(rest());
        return WaitFor([&] { return TextOf(gMain) == want; }) || Fail("caption is " + utf16::Narrow(TextOf(gMain)));
    }
    if (command == "shot") {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(gMain, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0 || Fail("not idle");
    }
    if (command == "pixels") {
        std::string className;
        words >> className;
        const std::string path = rest();
        HWND window = AwaitTopLevel(utf16::Widen(className).c_str(), [](HWND) { return true; });
        // Its pending paint done, and a moment for the screen to show it.
        DWORD_PTR ignored = 0;
        if (!window || !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
            return Fail("no window: " + line);
        UpdateWindow(window);
        std::this_thread::sleep_for(500ms);
        return WriteClientPixels(window, path) || Fail("cannot write " + path);
    }
    int id = 0;
    words >> id;
    if (command == "menu")
        return PostMessageW(gMain, WM_COMMAND, MAKEWPARAM(id, 0), 0) || Fail(line);
    if (command == "drag") {
        int to = 0;
        words >> to;
        HWND source = Control(ids::Swatch(id)), target = Control(ids::Swatch(to));
        if (!source || !target)
            return Fail("no swatch: " + line);
        POINT start = CentreOf(source), end = CentreOf(target);
        SetForegroundWindow(gMain);
        Mouse(start);
        Mouse(start, MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 8; ++step)
            Mouse({start.x + (end.x - start.x) * step / 8, start.y + (end.y - start.y) * step / 8});
        Mouse(end, MOUSEEVENTF_LEFTUP);
        Mouse({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});  // no tooltip left
        return true;
    }
    HWND control = id == 0 ? SettledFocus() : Control(id);
    if (!control)
        return Fail("no control: " + line);
    HWND input = EditOf(control) ? EditOf(control) : control;
    if (command == "click") {
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        return PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2)) || Fail(line);
    }
    if (command == "type") {
        for (wchar_t c : utf16::Widen(rest()))
            PostMessageW(input, WM_CHAR, c, 1);
        return true;
    }
    if (command == "key") {
        int vk = 0;
        words >> vk;
        PostMessageW(input, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        PostMessageW(input, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
        // So that the next key goes where the focus is then and is not queued behind this one.
        auto movedOn = [&] {
            HWND now = Focus();
            return now != control && now != input && !InPassing(now);
        };
        if (id == 0)
            WaitFor(movedOn, 300ms);
        return true;
    }
    if (command == "focus")
        return WaitFor([&] {
                   HWND now = Focus();
                   return now && (now == control || IsChild(control, now));
               }) ||
               Fail(line + ": the focus is in control " + std::to_string(GetDlgCtrlID(Focus())));
    if (command == "hover") {
        const std::wstring want = utf16::Widen(rest());
        SetForegroundWindow(gMain);
        POINT centre = CentreOf(control);
        Mouse({centre.x - 1, centre.y});
        Mouse(centre);
        auto shows = [&](HWND tip) { return TextOf(tip) == want; };
        return AwaitTopLevel(L"tooltips_class32", shows) || Fail("no tooltip: " + line);
    }
    if (command == "text") {
        const std::wstring want = utf16::Widen(rest());
        return WaitFor([&] { return TextOf(control) == want; }) ||
               Fail("control " + std::to_string(id) + " shows \"" + utf16::Narrow(TextOf(control)) + "\"");
    }
    int flag = 0;
    words >> flag;
    auto state = command == "visible" ? IsWindowVisible : command == "enabled" ? IsWindowEnabled : nullptr;
    if (!state)
        return Fail("unknown command: " + line);
    return WaitFor([&] { return (state(control) != FALSE) == (flag != 0); }) || Fail(line);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return Fail("usage: vemora-window-driver SCRIPT"), 2;
    std::ifstream script(argv[1], std::ios::binary);
    int number = 0;
    for (std::string line; std::getline(script, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!Run(line))
            return Fail("script line " + std::to_string(number) + " failed"), 1;
    }
    return script.eof() && number > 0 ? 0 : (Fail(std::string("cannot read ") + argv[1]), 2);
}
