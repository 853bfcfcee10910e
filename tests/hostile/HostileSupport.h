// Shared by the hostile-input tests: the fixtures of tests/data/hostile, a scratch folder
// per test, vemora-cli's run on a folder, and small tmpfs mounts for the fault cases (they
// need root on Linux; the tests that use them skip where mounting is not possible).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "TestSupport.h"
#include "base/File.h"
#include "cli/CliRun.h"

namespace hostile {

namespace fs = std::filesystem;

inline fs::path Data(std::string_view name) {
    return fs::path(VEMORA_TEST_DATA) / std::string(name);
}

// A fixture's bytes (tests/data/<name>).
inline std::string Fixture(std::string_view name) {
    std::optional<std::string> bytes = file::Read(Data(name).string());
    EXPECT_TRUE(bytes) << name;
    return bytes.value_or("");
}

// A fresh empty folder for the running test, removed with the object; a tmpfs still
// mounted on its "mnt" is unmounted first.
class Scratch : public TempFolder {
  public:
    ~Scratch() { Unmount(Path() / "mnt"); }
    fs::path operator/(std::string_view name) const { return Path() / std::string(name); }

    // Runs `umount` on a folder that may still be mounted.
    static void Unmount(const fs::path& folder) {
#ifndef _WIN32
        std::error_code ec;
        if (fs::exists(folder, ec)) [[maybe_unused]]
            int ignored = std::system(("umount '" + folder.string() + "' 2>/dev/null").c_str());
#else
        (void)folder;
#endif
    }
};

inline void Put(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(file::WriteAtomic(path.string(), bytes)) << path;
}

inline std::string Get(const fs::path& path) {
    return file::Read(path.string()).value_or("<missing>");
}

// The names in a folder, sorted.
inline std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct CliOutcome {
    int status = -1;
    std::string out, err;  // UTF-8
};

// vemora-cli on a program folder: the mode word (none: mode 6), Jw_cad's registry from an
// export file, and the coordinate-file folder (none: the registry's ZFILE).
inline CliOutcome RunOnFolder(const fs::path& program,
                              std::string_view modeWord,
                              const fs::path& registry,
                              std::optional<fs::path> coordinates) {
    CliOptions options;
    if (!modeWord.empty())
        options.modeWord = std::string(modeWord);
    options.dir = program.string();
    options.registry = registry.string();
    if (coordinates)
        options.zfile = coordinates->string();
    std::ostringstream out, err;
    int status = RunCli(options, out, err);
    return {status, out.str(), err.str()};
}

// A tmpfs of `size` mounted on `at` for the life of the object; Mounted() is false where
// mounting is not possible (not root, not Linux, no tmpfs).
class TmpfsMount {
  public:
    TmpfsMount(const fs::path& at, std::string_view size) : at_(at) {
#ifndef _WIN32
        fs::create_directories(at);
        std::string command =
            "mount -t tmpfs -o size=" + std::string(size) + " tmpfs '" + at.string() + "' 2>/dev/null";
        mounted_ = std::system(command.c_str()) == 0;
#else
        (void)size;
#endif
    }
    ~TmpfsMount() {
        if (mounted_)
            Scratch::Unmount(at_);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool Mounted() const {
        return mounted_;
    }
    // Makes the file system read-only, keeping what is on it.
    bool MakeReadOnly() {
#ifndef _WIN32
        return mounted_ && std::system(("mount -o remount,ro '" + at_.string() + "' 2>/dev/null").c_str()) == 0;
#else
        return false;
#endif
    }

  private:
    fs::path at_;
    bool mounted_ = false;
};

}  // namespace hostile
