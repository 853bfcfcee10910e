#include "cli/Console.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
}

void PrepareConsole() {}
