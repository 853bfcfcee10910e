#include "platform/win32/OwnedWindow.h"

#include <algorithm>
#include <set>
#include <string>

HWND CreateOwnedWindow(const wchar_t* className, const wchar_t* title, HBRUSH background, DWORD exStyle,
                       HWND owner, WNDPROC procedure, void* self) {
    static std::set<std::wstring> registered;
    if (!registered.contains(className)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window below, once it knows its object
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = className;
        if (RegisterClassExW(&windowClass) != 0)
            registered.insert(className);
    }
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX;
    HWND window = CreateWindowExW(exStyle, className, title, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    return window;
}

void PlaceBesideOwner(HWND window, HWND owner, SIZE size, LONG top) {
    RECT form;
    GetWindowRect(owner, &form);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    constexpr LONG kGap = 8;
    LONG left = form.right + kGap;
    if (left + size.cx > work.right)
        left = std::max<LONG>(work.left, form.left - kGap - size.cx);
    top = std::clamp<LONG>(top, work.top, std::max<LONG>(work.top, work.bottom - size.cy));
    SetWindowPos(window, nullptr, static_cast<int>(left), static_cast<int>(top), static_cast<int>(size.cx),
                 static_cast<int>(size.cy), SWP_NOZORDER | SWP_NOACTIVATE);
}
