// Stands in for Vemora.exe while cmd runs a batch file (batch_run_test.sh): writes the words it
// was started with into started.txt, and done.txt two seconds later.
#include <chrono>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
    std::ofstream started("started.txt", std::ios::binary);
    for (int i = 1; i < argc; ++i) started << (i > 1 ? " " : "") << argv[i];
    started.close();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::ofstream("done.txt", std::ios::binary) << "done";
}
