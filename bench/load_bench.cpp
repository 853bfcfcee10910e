// The load step on generated drawings of 10^4, 10^5 and 10^6 solids (12 colours), timed on
// one core, in bytes per second of the file:
//   LoadFile  reading TEMP.TXT from a folder (the file in the system's cache) and the whole
//             ReadExchange over it: what the program does at start;
//   LoadStep  ReadExchange alone, over bytes already in memory.
//
//   load_bench --benchmark_counters_tabular=true
//
// Counters: file_MB the file's size; load_MB the rise of the resident size from just before
// the file's bytes are read or copied to the peak of the load, the bytes included;
// load_per_file their ratio; peak_rss_MB the process's peak (getrusage), the generated file
// kept by the benchmark included. Linux only.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "ExchangeGenerator.h"
#include "base/Memory.h"
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

GeneratedExchange Generate(const benchmark::State& state) {
    // Large blocks always come from and go back to the system, so that what one iteration
    // freed is not counted as resident before the next.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    return GenerateExchange({.solids = state.range(0), .colours = 12, .seed = 42});
}

const ReadOptions& AreaOptions() {
    static const PenColourTable pens{};
    static const ReadOptions options{.pens = &pens, .measuresAreas = true};
    return options;
}

// Runs the benchmark's iterations: `load(table, drawing)` prepares what it needs untimed,
// resumes the timing where the load step begins and loads. The table and drawing are
// destroyed untimed.
template <typename Load>
void TimeLoads(benchmark::State& state, std::size_t fileBytes, Load load) {
    double loadMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        double baseline = CurrentRssMb();
        ResetPeakRss();
        {
            Table table;
            Drawing drawing;
            ReadOutcome outcome = load(table, drawing);
            benchmark::DoNotOptimize(outcome);
            benchmark::DoNotOptimize(table.rows.data());
            state.PauseTiming();
            loadMb = std::max(loadMb, PeakRssMb() - baseline);
        }
        state.ResumeTiming();
    }
    double fileMb = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileBytes));
    state.counters["file_MB"] = fileMb;
    state.counters["load_MB"] = loadMb;
    state.counters["load_per_file"] = loadMb / fileMb;
    state.counters["peak_rss_MB"] = PeakRssMb();
}

void BM_LoadFile(benchmark::State& state) {
    GeneratedExchange generated = Generate(state);
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vemora-load-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "TEMP.TXT", std::ios::binary) << generated.bytes;
    SilentNotifier notifier;
    TimeLoads(state, generated.bytes.size(), [&](Table& table, Drawing& drawing) {
        state.ResumeTiming();
        return ReadExchangeFile(folder.string(), AreaOptions(), table, drawing, notifier);
    });
    fs::remove_all(folder);
}

void BM_LoadStep(benchmark::State& state) {
    GeneratedExchange generated = Generate(state);
    SilentNotifier notifier;
    TimeLoads(state, generated.bytes.size(), [&](Table& table, Drawing& drawing) {
        // What reading TEMP.TXT gives: the bytes in a buffer advised as file::Read advises it.
        std::string bytes;
        memory::ReserveLarge(bytes, generated.bytes.size());
        bytes = generated.bytes;
        state.ResumeTiming();
        return ReadExchange(std::move(bytes), AreaOptions(), table, drawing, notifier);
    });
}

BENCHMARK(BM_LoadFile)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStep)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
