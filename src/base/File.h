// Whole-file reading and atomic writing. Files are read and written as bytes; text
// conversion is the caller's (see Sjis.h). Reading and writing go through a FileSystem that
// tests can replace, so a full disk or a folder that refuses writes is tried without one.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace file {

// The file's bytes, or nullopt when it does not exist or cannot be read.
std::optional<std::string> Read(const std::string& path);

struct WriteResult {
    bool ok = true;
    std::string error;  // why it failed, in the user's language (UTF-8), when !ok
    explicit operator bool() const { return ok; }
};

// Writes the bytes to a temporary file in the target's folder and renames it over the
// target once it is complete and closed, so the target is either the old file or the new
// one, never half-written. On failure nothing is left behind and the old file stays.
WriteResult WriteAtomic(const std::string& path, std::string_view bytes);

// Whether the path names an existing folder (false also when it cannot be checked).
bool IsFolder(const std::string& path);
// Asks the disk itself, as FindNoCase does, never a replaced FileSystem.
bool Exists(const std::string& path);

// Joins a folder and a file name with the platform's separator ("\\" on Windows).
std::string Join(std::string_view folder, std::string_view name);

// Finds a file in the folder whose name equals `name` without regard to ASCII letter case
// (Jw_cad's TEMP.TXT may come as temp.txt); returns its path or nullopt.
std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name);

// A file open for writing. Each call returns false on failure with `ec` saying why (an errno
// value; it may be zero when the system gave no reason). The destructor closes a file that
// was not closed, ignoring errors.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual bool Write(std::string_view bytes, std::error_code& ec) = 0;
    virtual bool Flush(std::error_code& ec) = 0;
    virtual bool Close(std::error_code& ec) = 0;
};

// WriteAtomic for output made piece by piece, so that a large file never has to be held
// whole: the pieces go to the temporary file in blocks of kBlockSize as they come, and
// Commit closes it and renames it over the target. The first failure ends the writing (later
// pieces are dropped); Commit then reports it as WriteAtomic does. Without a successful
// Commit the temporary file is removed and the old file stays.
class AtomicWriter {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

    explicit AtomicWriter(const std::string& path);
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    void Write(std::string_view bytes);
    // Once only; the writer takes no pieces after it.
    WriteResult Commit();

  private:
    void WriteThrough(std::string_view bytes);
    void Discard();  // closes and removes the temporary file

    std::string path_, temp_;
    std::unique_ptr<OutputFile> file_;  // the temporary file while it is open
    std::string buffer_;
    std::error_code failure_;  // the first failure to create or write the file
};

// What Read, IsFolder and WriteAtomic ask of the file system. Paths are UTF-8.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // As file::Read and file::IsFolder.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
    virtual bool IsFolder(const std::string& path) = 0;
    // Creates the file, or empties an existing one, for writing; nullptr with `ec` on failure.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path, std::error_code& ec) = 0;
    // Replaces `to` with `from`; false with `ec` on failure.
    virtual bool Rename(const std::string& from, const std::string& to, std::error_code& ec) = 0;
    // Removes the file if it can; clean-up after a failure, so it reports nothing.
    virtual void Remove(const std::string& path) = 0;
};

// The disk, used unless a ScopedFileSystem is in place.
FileSystem& DiskFileSystem();

// Puts `replacement` in place of the file system in use for the life of the object, then
// puts back the one before. Tests inject failures this way; the replacement serves every
// thread. Scopes nest.
class ScopedFileSystem {
  public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

  private:
    FileSystem* previous_;
};

}  // namespace file
