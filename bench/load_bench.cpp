// The load step (the whole ReadExchange over a file's bytes) on generated drawings of 10^4,
// 10^5 and 10^6 solids (12 colours), timed on one core: bytes per second of the file, and
// the memory the load holds at its peak (the file's bytes included; Linux only).
//
//   load_bench --benchmark_counters_tabular=true
//
// Counters: file_MB the file's size; load_MB the rise of the resident size from just before
// the file's bytes are copied to the peak of the load; load_per_file their ratio;
// peak_rss_MB the process's peak (getrusage), the generated source file included.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "ExchangeGenerator.h"
#include "exchange/ExchangeReader.h"

namespace {

struct SilentNotifier : Notifier {
    Answer Show(const Message&) override { return Answer::Ok; }
};

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double CurrentRssMb() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Starts a new peak from the current resident size (Linux 4.0 and later).
void ResetPeakRss() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_LoadStep(benchmark::State& state) {
    // Large blocks always come from and go back to the system, so that what one iteration
    // freed is not counted as resident before the next.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    GeneratedExchange generated = GenerateExchange({.solids = state.range(0), .colours = 12, .seed = 42});
    PenColourTable pens{};
    ReadOptions options{ModeCode::NewArea, &pens, "m^2,1", "3"};
    SilentNotifier notifier;
    double loadMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        double baseline = CurrentRssMb();
        ResetPeakRss();
        {
            std::string bytes = generated.bytes;  // what reading TEMP.TXT gives
            Table table;
            Drawing drawing;
            state.ResumeTiming();
            ReadOutcome outcome = ReadExchange(std::move(bytes), options, table, drawing, notifier);
            benchmark::DoNotOptimize(outcome);
            benchmark::DoNotOptimize(drawing.solids.data());
            state.PauseTiming();
            loadMb = std::max(loadMb, PeakRssMb() - baseline);
        }
        state.ResumeTiming();
    }
    double fileMb = static_cast<double>(generated.bytes.size()) / (1024.0 * 1024.0);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(generated.bytes.size()));
    state.counters["file_MB"] = fileMb;
    state.counters["load_MB"] = loadMb;
    state.counters["load_per_file"] = loadMb / fileMb;
    state.counters["peak_rss_MB"] = PeakRssMb();
}

BENCHMARK(BM_LoadStep)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
