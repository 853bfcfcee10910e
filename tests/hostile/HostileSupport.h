// Shared by the hostile-input tests: the fixtures of tests/data/hostile, a scratch folder
// per test and vemora-cli's run on a folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

// A fresh empty folder for the running test, removed with the object.
class Scratch : public TempFolder {
  public:
    fs::path operator/(std::string_view name) const { return Path() / std::string(name); }
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

}  // namespace hostile
