// A fresh empty folder for the running test, removed with the object. Its name is the
// test's, an optional label (for a second folder in the same test) and a part drawn once
// per process, so two build trees running the same tests at once never share a folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

// Drawn once per test process: tells apart scratch names (folders, registry keys) of
// test programs that run at the same time.
inline const std::string& ProcessTag() {
    static const std::string tag = [] {
        const char* digits = "0123456789abcdef";
        std::string hex;
        for (unsigned value = std::random_device{}(), i = 0; i < 8; ++i, value >>= 4)
            hex += digits[value & 0xF];
        return hex;
    }();
    return tag;
}

class TempFolder {
  public:
    explicit TempFolder(std::string_view label = {}) {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "vemora-" + std::string(test->test_suite_name()) + "." + test->name();
        if (!label.empty())
            (name += '-') += label;
        (name += '-') += ProcessTag();
        for (char& c : name)
            if (c == '/')  // parameterised tests
                c = '_';
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder's path, UTF-8.
    std::string Str() const { return Utf8(path_); }
    // The path of `name` (UTF-8) in the folder, UTF-8.
    std::string File(std::string_view name) const {
        return Utf8(path_ / std::u8string(name.begin(), name.end()));
    }

  private:
    static std::string Utf8(const std::filesystem::path& path) {
        std::u8string s = path.u8string();
        return std::string(s.begin(), s.end());
    }
    std::filesystem::path path_;
};
