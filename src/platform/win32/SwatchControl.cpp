#include "platform/win32/SwatchControl.h"

#include <memory>
#include <optional>

#include "base/Utf16.h"
#include "platform/win32/Scoped.h"

namespace {

constexpr wchar_t kSwatchClass[] = L"VemoraSwatch";
constexpr wchar_t kOutlineClass[] = L"VemoraDragOutline";

// A hollow black rectangle of the swatch's size that follows the mouse during a drag.
class DragOutline {
  public:
    DragOutline(HWND owner, RECT screenRect, int thickness) {
        int width = screenRect.right - screenRect.left, height = screenRect.bottom - screenRect.top;
        window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT,
                                      kOutlineClass, L"", WS_POPUP, screenRect.left, screenRect.top, width, height,
                                      owner, nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!window_)
            return;
        win::Region outer(CreateRectRgn(0, 0, width, height));
        win::Region inner(CreateRectRgn(thickness, thickness, width - thickness, height - thickness));
        CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_DIFF);
        if (SetWindowRgn(window_.Get(), outer.Get(), FALSE))
            outer.Release();  // the window owns it now
        ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
    }
    void MoveTo(POINT topLeft) {
        if (window_)
            SetWindowPos(window_.Get(), HWND_TOPMOST, topLeft.x, topLeft.y, 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

  private:
    win::Window window_;
};

struct SwatchState {
    int number = 0;
    SwatchLook look;
    HFONT font = nullptr;
    std::unique_ptr<DragOutline> outline;  // set while a drag runs
    POINT grab{};                          // where the swatch was taken, in its own pixels
};

SwatchState* StateOf(HWND window) {
    return reinterpret_cast<SwatchState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The swatch under a screen point among the dragged swatch's siblings, or 0.
int SwatchAt(HWND dragged, POINT screen) {
    HWND parent = GetParent(dragged);
    POINT client = screen;
    ScreenToClient(parent, &client);
    return SwatchNumber(ChildWindowFromPointEx(parent, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT));
}

void Paint(HWND window, const SwatchState& state) {
    win::PaintGuard paint(window);
    RECT rect;
    GetClientRect(window, &rect);
    win::Brush fill(CreateSolidBrush(static_cast<COLORREF>(state.look.colour) & 0xFFFFFF));
    FillRect(paint.Dc(), &rect, fill.Get());
    FrameRect(paint.Dc(), &rect, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    if (state.look.caption.empty())
        return;
    std::optional<win::Selection> font;
    if (state.font)
        font.emplace(paint.Dc(), state.font);
    SetBkMode(paint.Dc(), TRANSPARENT);
    SetTextColor(paint.Dc(), state.look.whiteText ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT));
    std::wstring caption = utf16::Widen(state.look.caption);
    DrawTextW(paint.Dc(), caption.c_str(), static_cast<int>(caption.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void BeginDrag(HWND window, SwatchState& state, POINT at) {
    RECT rect;
    GetWindowRect(window, &rect);
    state.grab = at;
    int thickness = MulDiv(2, static_cast<int>(GetDpiForWindow(window)), 96);
    state.outline = std::make_unique<DragOutline>(GetAncestor(window, GA_ROOT), rect, thickness);
    SetCapture(window);
}

void FollowDrag(HWND window, SwatchState& state, POINT at) {
    POINT screen = at;
    ClientToScreen(window, &screen);
    state.outline->MoveTo({screen.x - state.grab.x, screen.y - state.grab.y});
    SetCursor(LoadCursorW(nullptr, SwatchAt(window, screen) ? IDC_ARROW : IDC_NO));
}

void EndDrag(HWND window, SwatchState& state, POINT at) {
    POINT screen = at;
    ClientToScreen(window, &screen);
    int target = SwatchAt(window, screen);
    ReleaseCapture();  // WM_CAPTURECHANGED drops the outline
    if (target)
        SendMessageW(GetParent(window), kSwatchDropped, static_cast<WPARAM>(state.number), target);
}

LRESULT CALLBACK SwatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SwatchState* state = StateOf(window);
    if (!state)
        return DefWindowProcW(window, message, wParam, lParam);
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_PAINT:
            Paint(window, *state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_LBUTTONDOWN:
            if (state->look.draggable)
                BeginDrag(window, *state, at);
            else
                SendMessageW(GetParent(window), kSwatchClicked, static_cast<WPARAM>(state->number), 0);
            return 0;
        case WM_MOUSEMOVE:
            if (state->outline && GetCapture() == window)
                FollowDrag(window, *state, at);
            return 0;
        case WM_LBUTTONUP:
            if (state->outline && GetCapture() == window)
                EndDrag(window, *state, at);
            return 0;
        case WM_CAPTURECHANGED:
            state->outline.reset();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete state;
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK OutlineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST)
        return HTTRANSPARENT;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
    static const bool registered = [] {
        WNDCLASSEXW swatch{};
        swatch.cbSize = sizeof swatch;
        swatch.lpfnWndProc = SwatchProc;
        swatch.hInstance = GetModuleHandleW(nullptr);
        swatch.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        swatch.lpszClassName = kSwatchClass;
        WNDCLASSEXW outline{};
        outline.cbSize = sizeof outline;
        outline.lpfnWndProc = OutlineProc;
        outline.hInstance = GetModuleHandleW(nullptr);
        outline.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        outline.lpszClassName = kOutlineClass;
        return RegisterClassExW(&swatch) != 0 && RegisterClassExW(&outline) != 0;
    }();
    (void)registered;
}

}  // namespace

HWND CreateSwatch(HWND parent, int number, int controlId) {
    RegisterClasses();
    HWND window =
        CreateWindowExW(0, kSwatchClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return nullptr;
    auto* state = new SwatchState;
    state->number = number;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return window;
}

void SetSwatchLook(HWND swatch, const SwatchLook& look) {
    SwatchState* state = StateOf(swatch);
    if (!state || state->look == look)
        return;
    state->look = look;
    InvalidateRect(swatch, nullptr, FALSE);
}

int SwatchNumber(HWND window) {
    if (!window)
        return 0;
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (wcscmp(name, kSwatchClass) != 0)
        return 0;
    SwatchState* state = StateOf(window);
    return state ? state->number : 0;
}
