#include "base/File.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeFileSystem.h"
#include "TempFolder.h"

namespace {

std::ptrdiff_t FileCount(const TempFolder& dir) {
    return std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator());
}

// A write replaces the file and leaves no temporary. Whichever step fails, or when the folder
// is missing, the reason is told and the old file is all the folder holds.
TEST(File, WriteAtomicReplacesTheFileOrLeavesItAlone) {
    TempFolder dir;
    std::string target = file::Join(dir.Str(), "ZTEMP.TXT");
    ASSERT_TRUE(file::WriteAtomic(target, "old\r\n"));
    ASSERT_TRUE(file::WriteAtomic(target, "new\r\n"));
    EXPECT_EQ(file::Read(target), "new\r\n");
    file::WriteResult r = file::WriteAtomic(file::Join(file::Join(dir.Str(), "missing"), "ZTEMP.TXT"), "x");
    EXPECT_EQ(r.error, "フォルダがありません。");
    for (const WriteFailure& failure : kWriteFailures) {
        FakeFileSystem fake(dir.Path(), failure);
        file::ScopedFileSystem use(fake);
        r = file::WriteAtomic(target, std::string(100000, 'n'));
        EXPECT_FALSE(r) << failure.what;
        EXPECT_EQ(r.error, failure.reason);
        EXPECT_EQ(file::Read(target), "new\r\n");
        EXPECT_EQ(FileCount(dir), 1) << failure.what;
    }
}

// Large files are read into a buffer advised for large pages; every byte must still arrive,
// NUL, CR and Ctrl-Z included, and an empty file is an empty text, not a missing one. A file
// is found in any letter case.
TEST(File, ReadGivesEveryByteAndFindsAnyLetterCase) {
    TempFolder dir;
    std::string large(5 * 1024 * 1024 + 3, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>((i * 2654435761u) >> 13);
    large.replace(1000, 4, std::string("\0\r\x1a\n", 4));
    ASSERT_TRUE(file::WriteAtomic(file::Join(dir.Str(), "temp.txt"), large));
    ASSERT_TRUE(file::WriteAtomic(file::Join(dir.Str(), "EMPTY.TXT"), ""));
    std::optional<std::string> found = file::FindNoCase(dir.Str(), "TEMP.TXT");
    ASSERT_TRUE(found);
    EXPECT_TRUE(file::Read(*found) == large);
    EXPECT_EQ(file::Read(file::Join(dir.Str(), "EMPTY.TXT")), "");
    EXPECT_FALSE(file::FindNoCase(dir.Str(), "JWC_TEMP.TXT"));
    EXPECT_FALSE(file::Read(file::Join(dir.Str(), "none")));
}

}  // namespace
