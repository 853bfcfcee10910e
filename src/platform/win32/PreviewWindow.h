// The preview: an owned, resizable window titled "プレビュー" that paints the table picture
// the form model gives (lines, colour samples, texts at their sizes), scaled to fit, or OK's
// message where the settings give no table. It only paints; the main window hands it a new
// picture after every event.
#pragma once

#include <windows.h>

#include <functional>

#include "output/TablePicture.h"
#include "platform/win32/Scoped.h"

class PreviewWindow {
  public:
    PreviewWindow() = default;
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;
    ~PreviewWindow();

    // Shows the window beside its owner without taking the focus from it (created on first
    // use); `closed` runs when the user closes it. False (with a message) when it cannot be made.
    bool Show(HWND owner, const std::function<void()>& closed);
    void Hide();
    bool Shown() const { return window_ && IsWindowVisible(window_); }
    void SetPicture(TablePicture picture);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, const RECT& client) const;
    void PaintTable(HDC dc, const RECT& client) const;

    HWND window_ = nullptr;
    win::Font messageFont_;
    TablePicture picture_;
    std::function<void()> closed_;
};
