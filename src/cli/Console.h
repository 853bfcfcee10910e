// The console side of vemora-cli: arguments and standard streams as UTF-8 on every platform.
#pragma once

#include <string>
#include <vector>

// The arguments after the program name, as UTF-8 (on Windows taken from the wide command
// line, since argv holds them in the ANSI code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output and error take UTF-8 bytes unchanged (no CR added before LF on Windows,
// whose console is switched to UTF-8).
void PrepareConsole();
