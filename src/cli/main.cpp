// vemora-cli: Vemora without a window, for batch work, scripts and tests.
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "cli/Console.h"

int main(int argc, char** argv) {
    PrepareConsole();
    std::vector<std::string> args = Utf8Arguments(argc, argv);
    CliParse parse = ParseCliOptions(args);
    if (!parse) {
        std::cerr << "vemora-cli: " << parse.error << "\n(vemora-cli --help shows the options)\n";
        return kExitUsage;
    }
    if (parse.options.help) {
        std::cout << CliUsage();
        return kExitDone;
    }
    if (parse.options.version) {
        std::cout << "vemora-cli " VEMORA_VERSION "\n";
        return kExitDone;
    }
    return RunCli(parse.options, std::cout, std::cerr);
}
