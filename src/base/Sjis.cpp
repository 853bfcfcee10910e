// Portable parts of the code page 932 conversion.
#include "base/Sjis.h"

namespace sjis {

std::size_t ByteWidth(std::string_view utf8) {
    return Encode(utf8).size();
}

bool IsLeadByte(char byte) {
    auto b = static_cast<unsigned char>(byte);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace sjis
