// What the INI format carries through a write and a read, and the check that saved
// settings come back.
#pragma once

#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "base/Sjis.h"
#include "settings/TableSettings.h"

namespace fuzz {

// A value that the private-profile format carries unchanged: one line without NUL, nothing
// the reader strips (blanks around it, a pair of enclosing quotes), within the 254-byte
// read limit, and every character in code page 932 (unless the file is UTF-8). Other values
// read back as the Windows reader gives them, which the targets do not restate.
inline bool Carried(std::string_view value, bool utf8File = false) {
    if (value.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        return false;
    if (text::TrimBlanks(value) != value)
        return false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return false;
    bool lossy = false;
    std::string encoded = sjis::Encode(value, &lossy);
    if (lossy || encoded.size() > 254)
        return false;
    return utf8File || sjis::Decode(encoded) == value;
}

inline void CheckCarriedText(const std::string& saved, const std::string& loaded) {
    if (Carried(saved))
        FUZZ_CHECK(loaded == saved);
}

// Settings saved and then loaded into fresh defaults come back.
inline void CheckSettingsCameBack(const TableSettings& saved, const TableSettings& loaded) {
    for (auto field :
         {&TableSettings::outerFrameColour, &TableSettings::outerFrameLineType, &TableSettings::outerFrameLayer, &TableSettings::verticalLineColour,
          &TableSettings::verticalLineType, &TableSettings::verticalLineLayer, &TableSettings::horizontalLineColour, &TableSettings::horizontalLineType,
          &TableSettings::horizontalLineLayer, &TableSettings::textType, &TableSettings::textLayer, &TableSettings::defaultUnit,
          &TableSettings::rounding, &TableSettings::sampleWidth, &TableSettings::sampleLayer, &TableSettings::gapHeight,
          &TableSettings::gapWidth})
        CheckCarriedText(saved.*field, loaded.*field);
    for (auto field :
         {&TableSettings::outerFrame, &TableSettings::verticalLines, &TableSettings::horizontalLines, &TableSettings::annotateAreas,
          &TableSettings::annotateNumbers, &TableSettings::copyLayout, &TableSettings::metreUnits, &TableSettings::upperCaseColourNames})
        FUZZ_CHECK(saved.*field == loaded.*field);
    FUZZ_CHECK(saved.itemTableFlag == loaded.itemTableFlag);
    FUZZ_CHECK(saved.nameAlignment == loaded.nameAlignment);
}

}  // namespace fuzz
