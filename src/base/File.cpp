#include "base/File.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/Memory.h"
#include "base/Text.h"

namespace fs = std::filesystem;

namespace file {
namespace {

// Paths are UTF-8 inside the program; on Windows std::filesystem would read a narrow
// string in the ANSI code page, so build the path from UTF-8 explicitly.
fs::path FsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path) {
    std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::string Describe(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory) return "フォルダがありません。";
    if (ec == std::errc::permission_denied || ec == std::errc::read_only_file_system || ec == std::errc::operation_not_permitted)
        return "書き込みが許可されていません。";
    if (ec == std::errc::no_space_on_device) return "ディスクの空き容量が足りません。";
    return "書き込めませんでした。(" + std::to_string(ec.value()) + ")";
}

}  // namespace

std::optional<std::string> Read(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::error_code ec;
    auto size = fs::file_size(FsPath(path), ec);
    std::string bytes;
    if (!ec) {
        // Straight into the buffer, in one read.
        memory::ReserveLarge(bytes, static_cast<std::size_t>(size));
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    // Whatever the file holds beyond the size it had (all of it when the size is unknown).
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return bytes;
}

WriteResult WriteAtomic(const std::string& path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    fs::path target = FsPath(path);
    fs::path folder = target.parent_path();
    std::error_code ec;
    if (!folder.empty() && !IsFolder(Utf8(folder)))
        return {false, Describe(std::make_error_code(std::errc::no_such_file_or_directory))};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path temp = target;
    temp += ".tmp" + std::to_string(stamp % 1000000) + "-" + std::to_string(counter++);

    FILE* f = nullptr;
#ifdef _WIN32
    f = _wfopen(temp.c_str(), L"wb");
#else
    f = std::fopen(temp.c_str(), "wb");
#endif
    if (!f) return {false, Describe(std::error_code(errno, std::generic_category()))};
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    int writeErrno = errno;
    bool flushed = std::fflush(f) == 0;
    if (flushed == false) writeErrno = errno;
    bool closed = std::fclose(f) == 0;
    if (!closed && written && flushed) writeErrno = errno;
    if (!written || !flushed || !closed) {
        fs::remove(temp, ec);
        return {false, Describe(std::error_code(writeErrno, std::generic_category()))};
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return {false, Describe(ec)};
    }
    return {};
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(FsPath(path), ec);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(FsPath(path), ec);
}

std::string Join(std::string_view folder, std::string_view name) {
#ifdef _WIN32
    constexpr char kSep = '\\';
#else
    constexpr char kSep = '/';
#endif
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') out += kSep;
    out += name;
    return out;
}

std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name) {
    std::string exact = Join(folder, name);
    if (Exists(exact)) return exact;
    std::error_code ec;
    fs::path dir = FsPath(folder.empty() ? std::string(".") : folder);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (text::EqualsNoCase(Utf8(it->path().filename()), name)) return Utf8(it->path());
    }
    return std::nullopt;
}

}  // namespace file
