// Jw_cad's per-user registry values (HKEY_CURRENT_USER\Software\Jw_cad\jw_win): pen colours,
// the drawing order and the coordinate-file folder. Only read, never written.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/SolidColour.h"

// Where registry values come from: the live registry on Windows, a registry export file,
// or nothing at all. Sub keys are relative to HKEY_CURRENT_USER ("Software\\Jw_cad\\jw_win\\Pen").
class RegistrySource {
public:
    virtual ~RegistrySource() = default;
    // Text value (REG_SZ, or REG_EXPAND_SZ as stored) as UTF-8, up to its first NUL; nullopt
    // when the key or value is missing or longer than 255 bytes in code page 932 (texts are
    // read through a 256-byte buffer).
    std::optional<std::string> ReadText(std::string_view subKey, std::string_view name);
    // REG_DWORD value, or nullopt when missing.
    virtual std::optional<std::uint32_t> ReadDword(std::string_view subKey, std::string_view name) = 0;

private:
    // ReadText without the length limit.
    virtual std::optional<std::string> ReadRawText(std::string_view subKey, std::string_view name) = 0;
};

// No key at all: every read gives nullopt.
std::unique_ptr<RegistrySource> NoRegistry();
// A "Windows Registry Editor Version 5.00" (UTF-16LE with BOM, or UTF-8) or "REGEDIT4"
// (code page 932) export, as reg export and regedit /e write it. Bytes that are not a
// registry export give a source without values, as NoRegistry. Only values under
// HKEY_CURRENT_USER count; key paths and value names compare without regard to case.
//
//   [HKEY_CURRENT_USER\Software\Jw_cad\jw_win\Pen]
//   "Color01"="ffff00"
//   "Reverse"=dword:00000001
//
// Strings take the escapes \\ and \"; other value types (hex:..., with their continuation
// lines) are skipped. A value given twice counts as last given, as an import would set it.
std::unique_ptr<RegistrySource> RegistryExport(std::string_view bytes);
// The live registry (Windows only; elsewhere the same as NoRegistry). Keys are opened for
// reading only. A value of another type than the one asked for reads as missing.
std::unique_ptr<RegistrySource> LiveRegistry();

struct JwSettings {
    SolidColour background = kWhite;  // the drawing's background: pen colour 0
    PenColourTable pens{};            // the colour of every pen number
};

// Pen colours 0..9 (Pen\Color00..Color09, hexadecimal text; a missing or unreadable one
// falls back to a fixed palette) and the fixed SXF colours 101..116.
JwSettings ReadPenColours(RegistrySource& registry);
// Draw\Reverse: 0 normal order (also when missing), anything else reverse order.
std::uint32_t ReadReverse(RegistrySource& registry);
// Where Jw_cad keeps its coordinate file when Folder\ZFILE is missing.
inline constexpr std::string_view kDefaultZFile = "c:\\jww";
// Folder\ZFILE, or `fallback` when missing.
std::string ReadZFile(RegistrySource& registry, std::string_view fallback = kDefaultZFile);
