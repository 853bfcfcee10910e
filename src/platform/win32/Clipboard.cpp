#include "platform/win32/Clipboard.h"

#include <cstring>

#include "platform/win32/Scoped.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Error.h"

std::string SetClipboardText(HWND owner, std::string_view utf8) {
    std::wstring wide = utf16::Widen(utf8);
    std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    win::Global memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return win::LastErrorMessage("GlobalAlloc");
    {
        win::GlobalLockGuard lock(memory.Get());
        if (!lock.Data())
            return win::LastErrorMessage("GlobalLock");
        std::memcpy(lock.Data(), wide.c_str(), bytes);
    }
    win::ClipboardGuard clipboard(owner);
    if (!clipboard.Open())
        return win::LastErrorMessage("OpenClipboard");
    if (!EmptyClipboard())
        return win::LastErrorMessage("EmptyClipboard");
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return win::LastErrorMessage("SetClipboardData");
    memory.Release();  // the clipboard owns it now
    return {};
}
