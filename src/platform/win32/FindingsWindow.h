// The solid check's details: an owned, resizable window titled "ソリッドチェック" with a list of
// the findings (行, 種類, 面積(㎡)) and "閉じる". Esc, Enter and the close box close it. The list
// asks for its lines as it paints them, so a drawing with many findings opens at once.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <span>
#include <string>

#include "exchange/SolidCheck.h"
#include "platform/win32/Scoped.h"

class FindingsWindow {
  public:
    FindingsWindow() = default;
    FindingsWindow(const FindingsWindow&) = delete;
    FindingsWindow& operator=(const FindingsWindow&) = delete;

    // Shows the window over its owner (created on first use) with the keyboard in the list;
    // `closed` runs when the user closes it. False (with a message) when it cannot be made.
    bool Show(HWND owner, const std::function<void()>& closed);
    bool Shown() const { return window_ && IsWindowVisible(window_.Get()); }
    // For the message loop's dialog keys (Tab, Esc, Enter); nullptr before the first show.
    HWND Handle() const { return window_.Get(); }
    // The findings to list. They are read while the list paints: they must stay in place
    // until the next call.
    void SetFindings(std::span<const Finding> findings);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls();
    void Layout();
    void Close();
    void OnDisplayInfo(NMLVDISPINFOW& info);
    int Scaled(int pixels) const;

    win::Window window_;
    HWND list_ = nullptr, close_ = nullptr;
    win::Font font_;
    std::span<const Finding> findings_;
    std::wstring cellText_;  // the text last handed to the list
    std::function<void()> closed_;
};
