// Code page 932 conversion through the Windows converter, independent of the system's
// ANSI code page.
#include <windows.h>

#include <string>

#include "base/Sjis.h"
#include "base/Text.h"

namespace sjis {
namespace {

constexpr UINT kCodePage = 932;

std::wstring ToWide(UINT codePage, std::string_view text, bool* ok) {
    *ok = true;
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        *ok = false;
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide, bool* usedDefault) {
    if (wide.empty()) return {};
    BOOL defaulted = FALSE;
    BOOL* defaultedArg = codePage == CP_UTF8 ? nullptr : &defaulted;
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = codePage == CP_UTF8 ? nullptr : "?";
    int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, defaultChar,
                                defaultedArg);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), out.data(), n, defaultChar,
                            defaultedArg);
    if (usedDefault && defaulted) *usedDefault = true;
    return out;
}

}  // namespace

std::string Decode(std::string_view bytes, bool* lossy) {
    bool ok = false;
    std::wstring wide = ToWide(kCodePage, bytes, &ok);
    if (ok) return FromWide(CP_UTF8, wide, nullptr);
    // Some byte is not code page 932: convert character by character.
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t n = IsLeadByte(bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
        std::wstring one = ToWide(kCodePage, bytes.substr(i, n), &ok);
        if (!ok && n == 2) {
            n = 1;
            one = ToWide(kCodePage, bytes.substr(i, 1), &ok);
        }
        if (ok && !one.empty()) {
            out += FromWide(CP_UTF8, one, nullptr);
        } else {
            out += "\xEF\xBF\xBD";
            if (lossy) *lossy = true;
        }
        i += n;
    }
    return out;
}

std::string Encode(std::string_view utf8, bool* lossy) {
    bool ok = false;
    std::wstring wide = ToWide(CP_UTF8, utf8, &ok);
    if (!ok) {
        // Invalid UTF-8: the runs of valid sequences convert, each ill-formed sequence is one "?".
        std::size_t run = 0;
        for (std::size_t i = 0; i < utf8.size();) {
            text::Utf8Sequence sequence = text::FirstUtf8Sequence(utf8.substr(i));
            if (!sequence.valid) {
                wide += ToWide(CP_UTF8, utf8.substr(run, i - run), &ok);
                wide += L'?';
                if (lossy) *lossy = true;
                run = i + sequence.size;
            }
            i += sequence.size;
        }
        wide += ToWide(CP_UTF8, utf8.substr(run), &ok);
    }
    // Code page 932 has nothing outside the BMP: one "?" per character, as iconv gives.
    std::wstring bmp;
    bmp.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wchar_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            bmp += L'?';
            ++i;
            if (lossy) *lossy = true;
        } else {
            bmp += c;
        }
    }
    return FromWide(kCodePage, bmp, lossy);
}

}  // namespace sjis
