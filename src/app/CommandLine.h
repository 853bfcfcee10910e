// The command line Jw_cad's external transformation passes: one mode word whose last two
// characters choose the mode, and the window caption of each mode.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ModeCode.h"

// Splits at blanks and tabs. Element 0 is empty, words are in 1..n; the walk stops once
// maxWords words are found (a maxWords below 1 gives no word). Quotes have no meaning: a
// quoted path with blanks becomes several words, each keeping its quote characters.
std::vector<std::string> SplitCommandLine(std::string_view commandLine, int maxWords = 10);

// No word: LayerNames. Otherwise the last two characters of word 1 (the whole word when
// shorter), compared exactly in the order "M3", "M4", "M5", "M6", "M7", "C1", "C2";
// nothing matching gives TableCreation. Words 2 and later are ignored.
ModeCode SelectMode(std::string_view commandLine);

// The whole window caption: "Vemora" and the mode text for modes 0 to 5 (mode 5 by Jw_cad's
// drawing order: 0 forward, anything else reverse), the mode text alone for 6 and 7.
std::string ModeCaption(ModeCode mode, std::uint32_t reverse);
