// Conversion between the program's files (code page 932, Shift_JIS with the NEC and IBM
// extensions) and its strings (UTF-8). The same mapping on every platform, whatever the
// system's locale: Windows uses the system converter for 932, elsewhere iconv's CP932.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sjis {

// Decodes code page 932 bytes to UTF-8. A byte sequence that is not valid code page 932
// becomes U+FFFD and sets *lossy. Never fails.
std::string Decode(std::string_view bytes, bool* lossy = nullptr);

// Encodes UTF-8 to code page 932. A character without a code page 932 form (any outside
// the BMP among them) becomes "?" and sets *lossy, and so does each ill-formed sequence of
// invalid UTF-8 (see text::FirstUtf8Sequence); the text after it is kept. Never fails.
std::string Encode(std::string_view utf8, bool* lossy = nullptr);

// Number of bytes of the text in code page 932: 1 for ASCII and half-width katakana,
// 2 for a full-width character.
std::size_t ByteWidth(std::string_view utf8);

// Whether the byte begins a double-byte character in code page 932 (0x81-0x9F, 0xE0-0xFC).
// A lead byte is never ASCII; the trail byte after it may be.
bool IsLeadByte(char byte);

}  // namespace sjis
