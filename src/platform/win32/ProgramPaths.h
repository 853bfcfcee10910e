// Where the program runs from and what it was started with.
#pragma once

#include <string>
#include <string_view>

// The folder of the executable (UTF-8, no trailing backslash): the program folder.
std::string ProgramFolder();

// The command line after the executable's name, as the program entry reads it: the name
// is quoted or ends at the first blank or tab; the blanks after it are kept.
std::string ArgumentsAfterProgram(std::wstring_view commandLine);
