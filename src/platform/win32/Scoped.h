// Small owners for Win32 handles: each frees its handle exactly once, in its destructor.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

// A handle with a close function and an invalid value, movable, not copyable.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class Scoped {
  public:
    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) {}
    Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.handle_, Invalid));
        return *this;
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    ~Scoped() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    void Reset(Handle handle = Invalid) {
        if (handle_ != Invalid)
            Close(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, Invalid); }

  private:
    Handle handle_ = Invalid;
};

inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}
inline void DestroyWindowHandle(HWND window) {
    DestroyWindow(window);
}
inline void FreeGlobal(HGLOBAL memory) {
    GlobalFree(memory);
}
inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}

using Font = Scoped<HFONT, DeleteGdiObject>;
using Brush = Scoped<HBRUSH, DeleteGdiObject>;
using Pen = Scoped<HPEN, DeleteGdiObject>;
using Bitmap = Scoped<HBITMAP, DeleteGdiObject>;
using MemoryDc = Scoped<HDC, DeleteMemoryDc>;  // CreateCompatibleDC
using Region = Scoped<HRGN, DeleteGdiObject>;
using Window = Scoped<HWND, DestroyWindowHandle>;
using Global = Scoped<HGLOBAL, FreeGlobal>;

// GetDC / ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// SelectObject for the lifetime of the guard.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc_, old_); }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// GlobalLock / GlobalUnlock.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_)
            GlobalUnlock(memory_);
    }
    void* Data() const { return data_; }

  private:
    HGLOBAL memory_;
    void* data_;
};

// OpenClipboard / CloseClipboard.
// Another program (a clipboard viewer or history) may hold the clipboard for a moment:
// opening is tried for about a fifth of a second before it counts as failed.
class ClipboardGuard {
  public:
    explicit ClipboardGuard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            if (attempt > 0)
                Sleep(20);
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    ~ClipboardGuard() {
        if (open_)
            CloseClipboard();
    }
    bool Open() const { return open_; }

  private:
    bool open_ = false;
};

// BeginPaint / EndPaint.
class PaintGuard {
  public:
    explicit PaintGuard(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    ~PaintGuard() { EndPaint(window_, &paint_); }
    HDC Dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace win
