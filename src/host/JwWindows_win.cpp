#include "host/JwWindows_win.h"

#include <cassert>

#include "base/Text.h"
#include "base/Utf16.h"
#include "base/WindowText_win.h"

namespace {

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
WindowHandle ToHandle(HWND hwnd) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(hwnd));
}

constexpr UINT_PTR kWatchdogTimerId = 0x5652;  // on the caller's window; any id its own timers do not use

struct TitleSearch {
    std::string_view word;
    HWND best = nullptr;
    handoff::TitleMatch match = handoff::TitleMatch::None;
};

// EnumWindows goes front to back, so among equal matches the front-most one stays.
BOOL CALLBACK RateTopLevelWindow(HWND hwnd, LPARAM param) {
    TitleSearch& search = *reinterpret_cast<TitleSearch*>(param);
    if (!IsWindowVisible(hwnd))
        return TRUE;
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return TRUE;
    const handoff::TitleMatch match = handoff::MatchTitle(WindowText(hwnd, length + 1), search.word);
    if (match > search.match) {
        search.best = hwnd;
        search.match = match;
    }
    return TRUE;
}

}  // namespace

bool Win32JwWindows::ActivateByTitle(std::string_view word) {
    TitleSearch search{word};
    EnumWindows(&RateTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    if (search.best == nullptr)
        return false;
    if (IsIconic(search.best))
        ShowWindow(search.best, SW_RESTORE);
    SetForegroundWindow(search.best);
    // Another process's window becomes the foreground window only once that process has
    // taken the activation (asynchronously under Wine): wait for it, bounded, so that the
    // foreground check that follows sees it.
    for (int i = 0; i < 50 && GetForegroundWindow() != search.best; ++i)
        ::Sleep(10);
    return true;
}

WindowHandle Win32JwWindows::Foreground() {
    return ToHandle(GetForegroundWindow());
}

std::string Win32JwWindows::Title(WindowHandle window, int bufferChars) {
    return window == WindowHandle::None ? std::string() : WindowText(ToHwnd(window), bufferChars);
}

WindowHandle Win32JwWindows::FindChild(WindowHandle parent,
                                       std::string_view className,
                                       std::optional<std::string_view> caption) {
    assert(parent != WindowHandle::None);  // FindWindowExW would search the top-level windows
    const std::wstring wideClass = utf16::Widen(className);
    const std::wstring wideCaption = caption ? utf16::Widen(*caption) : std::wstring();
    return ToHandle(FindWindowExW(ToHwnd(parent), nullptr, wideClass.c_str(), caption ? wideCaption.c_str() : nullptr));
}

WindowHandle Win32JwWindows::FindChildByClassPrefix(WindowHandle parent, WindowHandle after, std::string_view prefix) {
    HWND child =
        after == WindowHandle::None ? GetWindow(ToHwnd(parent), GW_CHILD) : GetWindow(ToHwnd(after), GW_HWNDNEXT);
    for (; child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[256];  // class names are at most 256 characters with the terminator
        const int n = GetClassNameW(child, className, 256);
        if (n > 0 && text::StartsWithNoCase(utf16::Narrow(std::wstring_view(className, n)), prefix))
            return ToHandle(child);
    }
    return WindowHandle::None;
}

WindowHandle Win32JwWindows::NextSibling(WindowHandle window) {
    return ToHandle(GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

void Win32JwWindows::Send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    SendMessageW(ToHwnd(window), message, wParam, lParam);
}

bool Win32JwWindows::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return PostMessageW(ToHwnd(window), message, wParam, lParam) != FALSE;
}

void Win32JwWindows::Sleep(std::chrono::milliseconds duration) {
    ::Sleep(static_cast<DWORD>(duration.count()));
}

void Win32JwWindows::PumpOnce() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours to consume: leave it for the program's own message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::map<Win32JwWindows::TimerKey, Win32JwWindows*>& Win32JwWindows::RunningTimers() {
    thread_local std::map<TimerKey, Win32JwWindows*> timers;
    return timers;
}

void Win32JwWindows::StartTimer(std::chrono::milliseconds interval, std::function<void()> expired) {
    StopTimer();
    const UINT_PTR id = SetTimer(timerWindow_, timerWindow_ ? kWatchdogTimerId : 0, static_cast<UINT>(interval.count()),
                                 &Win32JwWindows::TimerProc);
    if (id == 0)
        return;  // no timer could be made: the hand-off runs without its watchdog
    timerId_ = timerWindow_ ? kWatchdogTimerId : id;
    expired_ = std::move(expired);
    RunningTimers()[{timerWindow_, timerId_}] = this;
}

void Win32JwWindows::StopTimer() {
    if (timerId_ == 0)
        return;
    KillTimer(timerWindow_, timerId_);
    RunningTimers().erase({timerWindow_, timerId_});
    timerId_ = 0;
}

void CALLBACK Win32JwWindows::TimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    const auto found = RunningTimers().find({hwnd, id});
    if (found == RunningTimers().end()) {
        KillTimer(hwnd, id);  // a timer whose owner is gone
        return;
    }
    Win32JwWindows& self = *found->second;
    // One-shot: off before the handler runs, which may start it again.
    std::function<void()> expired = std::move(self.expired_);
    self.StopTimer();
    expired();
}
