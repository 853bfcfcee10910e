// Whole-file reading and atomic writing. Files are read and written as bytes; text
// conversion is the caller's (see Sjis.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

bool Exists(const std::string& path);
// Whether the path names an existing folder (false also when it cannot be checked).
bool IsFolder(const std::string& path);

// Joins a folder and a file name with the platform's separator ("\\" on Windows).
std::string Join(std::string_view folder, std::string_view name);

// Finds a file in the folder whose name equals `name` without regard to ASCII letter case
// (Jw_cad's TEMP.TXT may come as temp.txt); returns its path or nullopt.
std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name);

}  // namespace file
