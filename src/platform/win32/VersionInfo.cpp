#include "platform/win32/VersionInfo.h"

#include <windows.h>

#include <cstring>

std::optional<ProgramVersion> ParseVersionResource(std::string_view block) {
    // The fixed part starts on a 32-bit boundary with its signature.
    constexpr DWORD kSignature = 0xFEEF04BD;
    for (std::size_t at = 0; at + sizeof(VS_FIXEDFILEINFO) <= block.size(); at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, block.data() + at, sizeof info);
        if (info.dwSignature != kSignature)
            continue;
        return ProgramVersion{HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS), HIWORD(info.dwFileVersionLS)};
    }
    return std::nullopt;
}

std::optional<ProgramVersion> CurrentProgramVersion() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return ParseVersionResource(std::string_view(static_cast<const char*>(data), SizeofResource(module, found)));
}

std::string VersionLine(const ProgramVersion& version) {
    return "ﾊﾞｰｼﾞｮﾝ " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}
