// UTF-8 <-> UTF-16 at the boundary of the Windows "W" calls (Windows builds only). Everything
// else in the program is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace utf16 {

// UTF-8 to UTF-16; an invalid sequence becomes U+FFFD. Never fails.
std::wstring Widen(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD. Never fails.
std::string Narrow(std::wstring_view wide);

}  // namespace utf16
