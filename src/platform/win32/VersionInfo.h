// The program's version as its version resource states it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct ProgramVersion {
    unsigned major = 0, minor = 0, revision = 0;
};

// The file version of a VS_VERSIONINFO block (the raw RT_VERSION resource), found by the
// signature of its fixed part, or nullopt when the block holds none.
std::optional<ProgramVersion> ParseVersionResource(std::string_view block);

// The version of the running program, or nullopt when it has no version resource.
std::optional<ProgramVersion> CurrentProgramVersion();

// "ﾊﾞｰｼﾞｮﾝ 1.0.0": the About box's version line.
std::string VersionLine(const ProgramVersion& version);
