// The hand-off's window operations on Win32: the W functions, with UTF-8 <-> UTF-16 at each
// call (Utf16.h), and the watchdog as a Win32 timer that the hand-off's message pump delivers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "host/JwWindows.h"

class Win32JwWindows : public JwWindows {
  public:
    // The watchdog is a timer of the main form once SetTimerWindow has named it, before that
    // a timer of the calling thread. Either way its WM_TIMER goes to a timer procedure of
    // this class, not to the window's procedure.
    Win32JwWindows() = default;
    void SetTimerWindow(HWND timerWindow) {
        StopTimer();
        timerWindow_ = timerWindow;
    }
    ~Win32JwWindows() override { StopTimer(); }
    Win32JwWindows(const Win32JwWindows&) = delete;
    Win32JwWindows& operator=(const Win32JwWindows&) = delete;

    bool ActivateByTitle(std::string_view word) override;
    WindowHandle Foreground() override;
    std::string Title(WindowHandle window, int bufferChars) override;
    WindowHandle FindChild(WindowHandle parent,
                           std::string_view className,
                           std::optional<std::string_view> caption) override;
    WindowHandle FindChildByClassPrefix(WindowHandle parent, WindowHandle after, std::string_view prefix) override;
    WindowHandle NextSibling(WindowHandle window) override;
    void Send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void Sleep(std::chrono::milliseconds duration) override;
    void PumpOnce() override;
    void StartTimer(std::chrono::milliseconds interval, std::function<void()> expired) override;
    void StopTimer() override;

  private:
    using TimerKey = std::pair<HWND, UINT_PTR>;
    static std::map<TimerKey, Win32JwWindows*>& RunningTimers();
    static void CALLBACK TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

    HWND timerWindow_ = nullptr;
    UINT_PTR timerId_ = 0;  // 0: the timer is off
    std::function<void()> expired_;
};
