#include "platform/win32/VersionInfo.h"

#include <windows.h>

#include <cstring>

#include <gtest/gtest.h>

namespace {

// A VS_VERSIONINFO block as the resource compiler lays it out: header, key, padding, fixed part.
std::string VersionBlock(WORD major, WORD minor, WORD revision) {
    std::string block(6, '\0');
    const wchar_t key[] = L"VS_VERSION_INFO";
    block.append(reinterpret_cast<const char*>(key), sizeof key);
    block.resize((block.size() + 3) / 4 * 4, '\0');
    VS_FIXEDFILEINFO info{};
    info.dwSignature = 0xFEEF04BD;
    info.dwStrucVersion = 0x10000;
    info.dwFileVersionMS = MAKELONG(minor, major);
    info.dwFileVersionLS = MAKELONG(7, revision);
    block.append(reinterpret_cast<const char*>(&info), sizeof info);
    block.append(64, 'x');  // the string tables that follow
    return block;
}

}  // namespace

TEST(VersionInfo, FixedPartGivesMajorMinorRevision) {
    std::optional<ProgramVersion> version = ParseVersionResource(VersionBlock(1, 2, 3));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 1u);
    EXPECT_EQ(version->minor, 2u);
    EXPECT_EQ(version->revision, 3u);
    EXPECT_EQ(VersionLine(*version), "ﾊﾞｰｼﾞｮﾝ 1.2.3");
}

TEST(VersionInfo, BlockWithoutFixedPartGivesNothing) {
    std::string block = VersionBlock(1, 0, 0);
    EXPECT_FALSE(ParseVersionResource(block.substr(0, 40)));  // cut before the fixed part ends
    EXPECT_FALSE(ParseVersionResource(""));
    std::string unsigned_ = block;
    std::memset(unsigned_.data() + 40, 0, 4);  // signature gone
    EXPECT_FALSE(ParseVersionResource(unsigned_));
}

TEST(VersionInfo, TestProgramHasNoVersionResource) {
    EXPECT_FALSE(CurrentProgramVersion());
}
