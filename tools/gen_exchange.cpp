// gen-exchange: writes a generated exchange file for trying and measuring the reader.
//
//   gen-exchange [--solids N] [--colours K] [--seed S] [--rooms P] [--total] FILE
//
// --rooms P lays the solids out as rooms, P percent of them over the one before (0..100);
// without it they lie anywhere, overlapping freely.
// FILE "-" writes to standard output. --total prints the total area of the solids in m²,
// known from how they were built (to standard error when the file goes to standard output).
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "ExchangeGenerator.h"
#include "base/File.h"

namespace {

template <typename T>
bool ParseValue(std::string_view text, T& value) {
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && ptr == text.data() + text.size();
}

int Usage() {
    std::cerr << "usage: gen-exchange [--solids N] [--colours K] [--seed S] [--rooms P] [--total] FILE\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    GeneratorOptions options;
    bool total = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--total") {
            total = true;
        } else if (arg == "--solids" && hasValue) {
            if (!ParseValue(argv[++i], options.solids) || options.solids < 0)
                return Usage();
        } else if (arg == "--colours" && hasValue) {
            if (!ParseValue(argv[++i], options.colours) || options.colours < 1 || options.colours > 16)
                return Usage();
        } else if (arg == "--rooms" && hasValue) {
            if (!ParseValue(argv[++i], options.overlapPercent) || options.overlapPercent < 0 || options.overlapPercent > 100)
                return Usage();
        } else if (arg == "--seed" && hasValue) {
            if (!ParseValue(argv[++i], options.seed))
                return Usage();
        } else if (path.empty() && (arg == "-" || !arg.starts_with("-"))) {
            path = arg;
        } else {
            return Usage();
        }
    }
    if (path.empty())
        return Usage();

    GeneratedExchange generated = GenerateExchange(options);
    if (path == "-") {
        std::fwrite(generated.bytes.data(), 1, generated.bytes.size(), stdout);
        if (std::fflush(stdout) != 0)
            return 1;
    } else if (file::WriteResult written = file::WriteAtomic(path, generated.bytes); !written) {
        std::cerr << "gen-exchange: " << path << ": " << written.error << "\n";
        return 1;
    }
    if (total) {
        char buffer[64];
        auto end = std::to_chars(buffer, buffer + sizeof buffer, generated.totalArea).ptr;
        (path == "-" ? std::cerr : std::cout) << std::string_view(buffer, end - buffer) << "\n";
    }
    return 0;
}
