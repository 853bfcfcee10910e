#include "base/File.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeFileSystem.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

TEST(File, WriteAtomicReplacesAndLeavesNoTemporary) {
    TempFolder dir;
    std::string target = file::Join(dir.Str(), "ZTEMP.TXT");
    ASSERT_TRUE(file::WriteAtomic(target, "old\r\n"));
    ASSERT_TRUE(file::WriteAtomic(target, "new\r\n"));
    EXPECT_EQ(file::Read(target).value(), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(File, WriteIntoMissingFolderFailsWithReason) {
    TempFolder dir;
    std::string target = file::Join(file::Join(dir.Str(), "missing"), "ZTEMP.TXT");
    file::WriteResult r = file::WriteAtomic(target, "x");
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error, "フォルダがありません。");
    EXPECT_FALSE(file::Exists(target));
}

// Whichever step fails, the reason is told and the old file is all the folder holds.
TEST(File, FailedWriteLeavesTheOldFileAlone) {
    for (const WriteFailure& failure : kWriteFailures) {
        SCOPED_TRACE(failure.what);
        TempFolder dir;
        std::string target = file::Join(dir.Str(), "ZTEMP.TXT");
        ASSERT_TRUE(file::WriteAtomic(target, "old\r\n"));
        FakeFileSystem fake(dir.Path(), failure);
        file::ScopedFileSystem use(fake);
        file::WriteResult r = file::WriteAtomic(target, std::string(100000, 'n'));
        EXPECT_FALSE(r);
        EXPECT_EQ(r.error, failure.reason);
        EXPECT_EQ(file::Read(target).value(), "old\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    }
}

// Large files are read into a buffer advised for large pages; every byte must still arrive,
// NUL, CR and Ctrl-Z included, and an empty file is an empty text, not a missing one.
TEST(File, ReadGivesEveryByteOfLargeAndEmptyFiles) {
    TempFolder dir;
    std::string large(5 * 1024 * 1024 + 3, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>((i * 2654435761u) >> 13);
    large.replace(1000, 4, std::string("\0\r\x1a\n", 4));
    std::string big = file::Join(dir.Str(), "TEMP.TXT"), empty = file::Join(dir.Str(), "EMPTY.TXT");
    ASSERT_TRUE(file::WriteAtomic(big, large));
    ASSERT_TRUE(file::WriteAtomic(empty, ""));
    EXPECT_TRUE(file::Read(big) == large);
    EXPECT_EQ(file::Read(empty), std::optional<std::string>(""));
}

TEST(File, FindNoCaseAndMissingRead) {
    TempFolder dir;
    ASSERT_TRUE(file::WriteAtomic(file::Join(dir.Str(), "temp.txt"), "hq\r\n"));
    auto found = file::FindNoCase(dir.Str(), "TEMP.TXT");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(file::Read(*found).value(), "hq\r\n");
    EXPECT_FALSE(file::FindNoCase(dir.Str(), "JWC_TEMP.TXT").has_value());
    EXPECT_FALSE(file::Read(file::Join(dir.Str(), "none")).has_value());
}
