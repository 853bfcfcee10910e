// UTF-16LE bytes to UTF-8, the same on every platform: registry export files and the text
// values the Windows registry returns are both UTF-16LE.
#pragma once

#include <string>
#include <string_view>

// A lone surrogate becomes U+FFFD; an odd last byte (a cut file) is dropped. Never fails.
std::string Utf16LeToUtf8(std::string_view bytes);
