#include "platform/win32/PreviewWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/Utf16.h"
#include "platform/win32/OwnedWindow.h"
#include "platform/win32/UiFont.h"
#include "platform/win32/Win32Error.h"

namespace {

constexpr wchar_t kPreviewClass[] = L"VemoraPreview";
constexpr int kMargin = 12;  // pixels of background round the table

// Paper millimetres to the pixels of the client area: the picture's box scaled to fit, centred.
struct Mapping {
    PictureBox box;
    double scale = 1.0, left = 0.0, top = 0.0;
    int X(double x) const { return static_cast<int>(std::lround(left + (x - box.left) * scale)); }
    int Y(double y) const { return static_cast<int>(std::lround(top + (box.top - y) * scale)); }
};

Mapping MappingFor(const TableElements& elements, const RECT& client) {
    Mapping m;
    m.box = BoxOf(elements);
    const double width = std::max(1e-3f, m.box.right - m.box.left), height = std::max(1e-3f, m.box.top - m.box.bottom);
    const double roomX = std::max(1L, client.right - 2 * kMargin), roomY = std::max(1L, client.bottom - 2 * kMargin);
    m.scale = std::min(roomX / width, roomY / height);
    m.left = (client.right - width * m.scale) / 2.0;
    m.top = (client.bottom - height * m.scale) / 2.0;
    return m;
}

// A pen in the line's colour and dashes (scaled to pixels, at least one each).
win::Pen LinePen(const LineLook& look, double scale) {
    LOGBRUSH brush{BS_SOLID, static_cast<COLORREF>(look.colour), 0};
    std::vector<DWORD> dashes;
    for (float d : look.dashes)
        dashes.push_back(static_cast<DWORD>(std::max(1L, std::lround(d * scale))));
    DWORD style = PS_GEOMETRIC | PS_ENDCAP_FLAT | (dashes.empty() ? PS_SOLID : PS_USERSTYLE);
    return win::Pen(
        ExtCreatePen(style, 1, &brush, static_cast<DWORD>(dashes.size()), dashes.empty() ? nullptr : dashes.data()));
}

void FillBox(HDC dc, const RECT& rect, SolidColour colour) {
    win::Brush brush(CreateSolidBrush(static_cast<COLORREF>(colour)));
    FillRect(dc, &rect, brush.Get());
}

}  // namespace

PreviewWindow::~PreviewWindow() {
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool PreviewWindow::Show(HWND owner, const std::function<void()>& closed) {
    closed_ = closed;
    if (!window_) {
        window_ = CreateOwnedWindow(kPreviewClass, L"プレビュー", nullptr, 0, owner, WindowProc, this);
        if (!window_) {
            win::ShowCreateWindowFailure(owner, MB_ICONEXCLAMATION);
            return false;
        }
        messageFont_ = CreateUiFont(GetDpiForWindow(window_));
        // As tall as the form, beside it.
        RECT form;
        GetWindowRect(owner, &form);
        const SIZE size{MulDiv(480, static_cast<int>(GetDpiForWindow(owner)), 96), std::max(200L, form.bottom - form.top)};
        PlaceBesideOwner(window_, owner, size, form.top);
    }
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, FALSE);
    return true;
}

void PreviewWindow::Hide() {
    if (window_)
        ShowWindow(window_, SW_HIDE);
}

void PreviewWindow::SetPicture(TablePicture picture) {
    picture_ = std::move(picture);
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK PreviewWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_CLOSE:
            // Closing hides: the next show keeps the place and size the user gave it.
            self->Hide();
            if (self->closed_)
                self->closed_();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE)
                PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_SIZE:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole client area
        case WM_PAINT: {
            win::PaintGuard paint(window);
            RECT client;
            GetClientRect(window, &client);
            // Drawn off screen first, so a repaint at every keystroke does not flicker.
            win::MemoryDc buffer(CreateCompatibleDC(paint.Dc()));
            win::Bitmap bitmap(
                CreateCompatibleBitmap(paint.Dc(), std::max(1L, client.right), std::max(1L, client.bottom)));
            win::Selection selected(buffer.Get(), bitmap.Get());
            self->Paint(buffer.Get(), client);
            BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void PreviewWindow::Paint(HDC dc, const RECT& client) const {
    if (picture_.elements) {
        FillBox(dc, client, picture_.look.background);
        PaintTable(dc, client);
        return;
    }
    // OK's message, where the settings give no table.
    FillBox(dc, client, static_cast<SolidColour>(GetSysColor(COLOR_WINDOW)));
    RECT text = client;
    InflateRect(&text, -kMargin, -kMargin);
    win::Selection font(dc, messageFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    std::wstring message = utf16::Widen(picture_.message);
    DrawTextW(dc, message.c_str(), static_cast<int>(message.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
}

void PreviewWindow::PaintTable(HDC dc, const RECT& client) const {
    const TableElements& e = *picture_.elements;
    const Mapping m = MappingFor(e, client);
    for (const TableElementRow& row : e.rows) {
        if (!row.sample)
            continue;
        const ColourSample& s = *row.sample;
        FillBox(dc, RECT{m.X(s.left), m.Y(s.top), m.X(s.middle), m.Y(s.bottom)}, s.leftColour);
        FillBox(dc, RECT{m.X(s.middle), m.Y(s.top), m.X(s.right), m.Y(s.bottom)}, s.rightColour);
    }
    for (int g = 0; g < kRuleGroups; ++g) {
        win::Pen pen = LinePen(picture_.look.rules[static_cast<std::size_t>(g)], m.scale);
        win::Selection selected(dc, pen.Get());
        for (const RuledLine& line : e.rules) {
            if (line.group != static_cast<RuleGroup>(g))
                continue;
            MoveToEx(dc, m.X(line.x1), m.Y(line.y1), nullptr);
            LineTo(dc, m.X(line.x2), m.Y(line.y2));
        }
    }
    // The text type's height and half its width (the glyph width of a half-width character).
    const int height = static_cast<int>(std::lround(e.metrics.textHeight * m.scale));
    const int halfWidth = static_cast<int>(std::lround(e.metrics.textWidth * m.scale / 2.0));
    if (height < 1 || halfWidth < 1)
        return;
    win::Font font(CreateFontW(-height, halfWidth, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                               L"ＭＳ ゴシック"));
    win::Selection selected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(picture_.look.text));
    SetTextAlign(dc, TA_BOTTOM | TA_LEFT | TA_NOUPDATECP);
    auto paintText = [&](const TableText& text) {
        for (const PlacedCharacter& c : PlaceCharacters(text, e.metrics)) {
            std::wstring character = utf16::Widen(c.character);
            TextOutW(dc, m.X(c.x), m.Y(text.y), character.c_str(), static_cast<int>(character.size()));
        }
    };
    paintText(e.title);
    for (const TableElementRow& row : e.rows)
        for (const TableText& text : row.texts)
            paintText(text);
}
