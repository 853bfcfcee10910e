#include "base/File.h"

#include <atomic>
#include <cassert>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

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
    if (ec == std::errc::no_such_file_or_directory)
        return "フォルダがありません。";
    if (ec == std::errc::permission_denied || ec == std::errc::read_only_file_system ||
        ec == std::errc::operation_not_permitted)
        return "書き込みが許可されていません。";
    if (ec == std::errc::no_space_on_device)
        return "ディスクの空き容量が足りません。";
    return "書き込めませんでした。(" + std::to_string(ec.value()) + ")";
}

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

class DiskFile : public OutputFile {
  public:
    explicit DiskFile(FILE* f) : f_(f) {}
    ~DiskFile() override {
        if (f_)
            std::fclose(f_);
    }
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    bool Write(std::string_view bytes, std::error_code& ec) override {
        bool written = std::fwrite(bytes.data(), 1, bytes.size(), f_) == bytes.size();
        ec = written ? std::error_code() : LastError();
        return written;
    }
    bool Flush(std::error_code& ec) override {
        bool flushed = std::fflush(f_) == 0;
        ec = flushed ? std::error_code() : LastError();
        return flushed;
    }
    bool Close(std::error_code& ec) override {
        bool closed = std::fclose(std::exchange(f_, nullptr)) == 0;
        ec = closed ? std::error_code() : LastError();
        return closed;
    }

  private:
    FILE* f_;
};

class Disk : public FileSystem {
  public:
    std::optional<std::string> Read(const std::string& path) override {
        std::ifstream in(FsPath(path), std::ios::binary);
        if (!in)
            return std::nullopt;
        std::error_code ec;
        auto size = fs::file_size(FsPath(path), ec);
        std::string bytes;
        if (!ec)
            memory::ReserveLarge(bytes, static_cast<std::size_t>(size));  // one block, filled once
        // In one pass, through a buffer that stays in the processor's cache: sizing the string
        // first would clear all of it once more before the read. A file that grew meanwhile is
        // read whole all the same.
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
            bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (in.bad())
            return std::nullopt;
        return bytes;
    }

    bool IsFolder(const std::string& path) override {
        std::error_code ec;
        return fs::is_directory(FsPath(path), ec);
    }

    std::unique_ptr<OutputFile> Create(const std::string& path, std::error_code& ec) override {
#ifdef _WIN32
        FILE* f = _wfopen(FsPath(path).c_str(), L"wb");
#else
        FILE* f = std::fopen(FsPath(path).c_str(), "wb");
#endif
        if (!f) {
            ec = LastError();
            return nullptr;
        }
        ec.clear();
        return std::make_unique<DiskFile>(f);
    }

    bool Rename(const std::string& from, const std::string& to, std::error_code& ec) override {
        fs::rename(FsPath(from), FsPath(to), ec);
        return !ec;
    }

    void Remove(const std::string& path) override {
        std::error_code ignored;
        fs::remove(FsPath(path), ignored);
    }
};

// The ScopedFileSystem's file system, or null for the disk.
std::atomic<FileSystem*> replaced{nullptr};

FileSystem& InUse() {
    FileSystem* files = replaced.load();
    return files ? *files : DiskFileSystem();
}

}  // namespace

FileSystem& DiskFileSystem() {
    static Disk disk;
    return disk;
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(replaced.exchange(&replacement)) {}

ScopedFileSystem::~ScopedFileSystem() {
    replaced.store(previous_);
}

std::optional<std::string> Read(const std::string& path) {
    return InUse().Read(path);
}

WriteResult WriteAtomic(const std::string& path, std::string_view bytes) {
    AtomicWriter writer(path);
    writer.Write(bytes);
    return writer.Commit();
}

AtomicWriter::AtomicWriter(const std::string& path) : path_(path) {
    static std::atomic<unsigned> counter{0};
    FileSystem& files = InUse();
    fs::path folder = FsPath(path).parent_path();
    if (!folder.empty() && !files.IsFolder(Utf8(folder))) {
        failure_ = std::make_error_code(std::errc::no_such_file_or_directory);
        return;
    }
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    temp_ = path + ".tmp" + std::to_string(stamp % 1000000) + "-" + std::to_string(counter++);
    file_ = files.Create(temp_, failure_);
}

AtomicWriter::~AtomicWriter() {
    if (file_)
        Discard();
}

void AtomicWriter::Discard() {
    file_.reset();  // closes it, ignoring errors
    InUse().Remove(temp_);
}

void AtomicWriter::Write(std::string_view bytes) {
    if (!file_ || failure_)
        return;
    if (buffer_.size() + bytes.size() <= kBlockSize) {
        buffer_ += bytes;
        return;
    }
    WriteThrough(buffer_);
    buffer_.clear();
    if (bytes.size() >= kBlockSize)
        WriteThrough(bytes);
    else
        buffer_ += bytes;
}

void AtomicWriter::WriteThrough(std::string_view bytes) {
    if (!failure_ && !bytes.empty())
        file_->Write(bytes, failure_);
}

WriteResult AtomicWriter::Commit() {
    if (!file_) {
        assert(failure_ && "committed twice");
        return {false, Describe(failure_)};
    }
    WriteThrough(buffer_);
    buffer_ = std::string();
    // The first failure is told, except that a failed flush says more than the write before it.
    std::error_code flushEc, closeEc, renameEc;
    bool flushed = file_->Flush(flushEc);
    bool closed = file_->Close(closeEc);
    if (failure_ || !flushed || !closed) {
        Discard();
        return {false, Describe(!flushed ? flushEc : failure_ ? failure_ : closeEc)};
    }
    if (!InUse().Rename(temp_, path_, renameEc)) {
        Discard();
        return {false, Describe(renameEc)};
    }
    file_.reset();
    return {};
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(FsPath(path), ec);
}

bool IsFolder(const std::string& path) {
    return InUse().IsFolder(path);
}

std::string Join(std::string_view folder, std::string_view name) {
#ifdef _WIN32
    constexpr char kSep = '\\';
#else
    constexpr char kSep = '/';
#endif
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\')
        out += kSep;
    out += name;
    return out;
}

std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name) {
    std::string exact = Join(folder, name);
    if (Exists(exact))
        return exact;
    std::error_code ec;
    fs::path dir = FsPath(folder.empty() ? std::string(".") : folder);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (text::EqualsNoCase(Utf8(it->path().filename()), name))
            return Utf8(it->path());
    }
    return std::nullopt;
}

}  // namespace file
