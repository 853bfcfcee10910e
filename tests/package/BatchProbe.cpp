// Stands in for Vemora.exe while cmd runs a batch file (batch_run_test.sh): writes the words
// it was started with into started.txt, then tells whether the batch went on while it ran.
// The test appends a line to the batch that creates after.txt; the probe waits for that
// file (3 s at most) and writes into done.txt "went on" when it came, "waited" when not.
// Last it writes a result into JWC_TEMP.TXT, as Vemora does in the rewrite modes.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    using namespace std::chrono_literals;
    std::string words;
    for (int i = 1; i < argc; ++i) words += (i > 1 ? " " : "") + std::string(argv[i]);
    std::ofstream("started.txt", std::ios::binary) << words;

    bool wentOn = false;
    for (int i = 0; i < 30 && !wentOn; ++i) {
        std::this_thread::sleep_for(100ms);
        wentOn = std::filesystem::exists("after.txt");
    }
    std::ofstream("JWC_TEMP.TXT", std::ios::binary) << "hd\r\n";
    std::ofstream("done.txt", std::ios::binary) << (wentOn ? "went on" : "waited");
    return 0;
}
