// Code page 932 conversion through iconv (every platform but Windows).
#include <iconv.h>

#include <cerrno>
#include <string>

#include "base/Sjis.h"
#include "base/Text.h"

namespace sjis {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// One converter per direction and thread; iconv_open is far too slow to call per line.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on a sequence it cannot convert calls onBad(in, out), which consumes
    // input and appends its replacement.
    template <typename OnBad>
    std::string Run(std::string_view in, OnBad onBad) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 3 / 2 + 4);
        char buffer[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (r == static_cast<std::size_t>(-1) && err != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                onBad(in, out);
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::string Decode(std::string_view bytes, bool* lossy) {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Run(bytes, [lossy](std::string_view& in, std::string& out) {
        if (lossy) *lossy = true;
        out += kReplacement;
        in.remove_prefix(1);
    });
}

std::string Encode(std::string_view utf8, bool* lossy) {
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Run(utf8, [lossy](std::string_view& in, std::string& out) {
        if (lossy) *lossy = true;
        out += '?';  // for a character without a code page 932 form, or an ill-formed sequence
        in.remove_prefix(text::FirstUtf8Sequence(in).size);
    });
}

}  // namespace sjis
