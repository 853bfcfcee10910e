// A file system that fails one chosen step of writing for the files of one folder, as a
// full disk, a read-only folder or a locked target would, and leaves everything else to the
// disk. Put it in place with file::ScopedFileSystem.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "base/File.h"

enum class WriteStep { Create, Write, Flush, Close, Rename };

// A step that fails, with the error the system gives and the reason the user is then told.
struct WriteFailure {
    WriteStep step = WriteStep::Create;
    std::errc error = std::errc::io_error;
    std::string_view reason;
    std::string_view what;  // for test traces
};

inline constexpr WriteFailure kReadOnlyFolder{WriteStep::Create, std::errc::permission_denied,
                                              "書き込みが許可されていません。", "read-only folder"};
inline constexpr WriteFailure kWriteFailures[] = {
    kReadOnlyFolder,
    {WriteStep::Write, std::errc::no_space_on_device, "ディスクの空き容量が足りません。", "disk full while writing"},
    {WriteStep::Flush, std::errc::no_space_on_device, "ディスクの空き容量が足りません。", "disk full on flush"},
    {WriteStep::Close, std::errc::io_error, "書き込めませんでした。(5)", "close fails"},
    {WriteStep::Rename, std::errc::permission_denied, "書き込みが許可されていません。", "target locked"},
};

class FakeFileSystem : public file::FileSystem {
  public:
    FakeFileSystem(std::filesystem::path folder, const WriteFailure& failure)
        : folder_(std::move(folder)), failure_(failure) {}

    std::optional<std::string> Read(const std::string& path) override { return disk_.Read(path); }
    bool IsFolder(const std::string& path) override { return disk_.IsFolder(path); }
    void Remove(const std::string& path) override { disk_.Remove(path); }

    std::unique_ptr<file::OutputFile> Create(const std::string& path, std::error_code& ec) override {
        if (Fails(WriteStep::Create, path)) {
            ec = std::make_error_code(failure_.error);
            return nullptr;
        }
        std::unique_ptr<file::OutputFile> f = disk_.Create(path, ec);
        if (f && InFolder(path))
            return std::make_unique<FailingFile>(std::move(f), failure_);
        return f;
    }

    bool Rename(const std::string& from, const std::string& to, std::error_code& ec) override {
        if (Fails(WriteStep::Rename, to)) {
            ec = std::make_error_code(failure_.error);
            return false;
        }
        return disk_.Rename(from, to, ec);
    }

  private:
    // Does the real step, then fails it; a failed write stores half the bytes first, as a
    // disk that fills up on the way does.
    class FailingFile : public file::OutputFile {
      public:
        FailingFile(std::unique_ptr<file::OutputFile> f, const WriteFailure& failure)
            : f_(std::move(f)), failure_(failure) {}
        bool Write(std::string_view bytes, std::error_code& ec) override {
            if (failure_.step != WriteStep::Write)
                return f_->Write(bytes, ec);
            f_->Write(bytes.substr(0, bytes.size() / 2), ec);
            return Fail(ec);
        }
        bool Flush(std::error_code& ec) override {
            return f_->Flush(ec) && (failure_.step != WriteStep::Flush || Fail(ec));
        }
        bool Close(std::error_code& ec) override {
            return f_->Close(ec) && (failure_.step != WriteStep::Close || Fail(ec));
        }

      private:
        bool Fail(std::error_code& ec) const {
            ec = std::make_error_code(failure_.error);
            return false;
        }
        std::unique_ptr<file::OutputFile> f_;
        WriteFailure failure_;
    };

    bool InFolder(const std::string& path) const {
        return std::filesystem::path(std::u8string(path.begin(), path.end())).parent_path() == folder_;
    }
    bool Fails(WriteStep step, const std::string& path) const { return failure_.step == step && InFolder(path); }

    file::FileSystem& disk_ = file::DiskFileSystem();
    std::filesystem::path folder_;
    WriteFailure failure_;
};
