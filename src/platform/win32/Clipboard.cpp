#include "platform/win32/Clipboard.h"

#include <cstring>

#include "base/Utf16.h"
#include "platform/win32/Scoped.h"

bool SetClipboardText(HWND owner, std::string_view utf8) {
    std::wstring wide = utf16::Widen(utf8);
    std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    win::Global memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    {
        win::GlobalLockGuard lock(memory.Get());
        if (!lock.Data())
            return false;
        std::memcpy(lock.Data(), wide.c_str(), bytes);
    }
    win::ClipboardGuard clipboard(owner);
    if (!clipboard.Open() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return false;
    memory.Release();  // the clipboard owns it now
    return true;
}
