// Portable parts of the code page 932 conversion.
#include "base/Sjis.h"

namespace sjis {

std::size_t ByteWidth(std::string_view utf8) {
    return Encode(utf8).size();
}

}  // namespace sjis
