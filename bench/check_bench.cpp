// The solid check and the seen areas (CheckSolids, one call gives both) on generated drawings
// of 10^4, 10^5 and 10^6 solids laid out as rooms, 1% of them laid over the solid before, beside
// the load step of the same drawing. Where the check is to run, the load keeps each solid's
// shape for it: the check's time is the check itself and what keeping the shapes added to the
// load. Each iteration times the plain load, the load keeping the shapes and the check.
//
//   check_bench --benchmark_counters_tabular=true
//
// The time reported is the check's and what keeping the shapes added to the load (shapes_ms).
// Counters: load_ms the plain load step (ReadExchange over bytes in memory); check_per_load the
// check's time over the plain load's; ns_per_solid the check's time per solid, which grows with log n where the check
// is n log n; cpu_ms the check's CPU time (shapes_ms not included); findings what it found.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "ExchangeGenerator.h"
#include "exchange/ExchangeReader.h"
#include "exchange/SolidCheck.h"

namespace {

using Clock = std::chrono::steady_clock;

struct SilentNotifier : Notifier {
    Answer Show(const Message&) override { return Answer::Ok; }
};

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_CheckSolids(benchmark::State& state) {
    const GeneratedExchange generated =
        GenerateExchange({.solids = state.range(0), .colours = 12, .seed = 42, .overlapPercent = 1});
    static const PenColourTable pens{};
    const ReadOptions plain{.pens = &pens, .measuresAreas = true};
    ReadOptions keepingShapes = plain;
    keepingShapes.keepsShapes = true;
    SilentNotifier notifier;
    // The seconds ReadExchange takes over a fresh copy of the bytes; the table and drawing stay.
    auto load = [&](const ReadOptions& options, Table& table, Drawing& drawing) {
        std::string bytes = generated.bytes;
        Clock::time_point start = Clock::now();
        ReadExchange(std::move(bytes), options, table, drawing, notifier);
        return Seconds(start, Clock::now());
    };
    double plainLoads = 0, shapes = 0, check = 0, cpu = 0;
    std::size_t findings = 0;
    for (auto _ : state) {
        double plainLoad = 0;
        {
            Table table;
            Drawing drawing;
            plainLoad = load(plain, table, drawing);
        }
        Table table;
        Drawing drawing;
        const double shapeLoad = load(keepingShapes, table, drawing);
        Clock::time_point loaded = Clock::now();
        double cpuStart = CpuSeconds();
        SolidCheck result = CheckSolids(table, drawing, false);
        double cpuEnd = CpuSeconds();
        Clock::time_point end = Clock::now();
        benchmark::DoNotOptimize(result);
        findings = result.findings.size();
        const double keeping = std::max(0.0, shapeLoad - plainLoad);
        plainLoads += plainLoad;
        shapes += keeping;
        check += keeping + Seconds(loaded, end);
        cpu += cpuEnd - cpuStart;
        state.SetIterationTime(keeping + Seconds(loaded, end));
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["load_ms"] = 1000 * plainLoads / iterations;
    state.counters["shapes_ms"] = 1000 * shapes / iterations;
    state.counters["check_per_load"] = check / plainLoads;
    state.counters["ns_per_solid"] = 1e9 * check / iterations / static_cast<double>(state.range(0));
    state.counters["cpu_ms"] = 1000 * cpu / iterations;
    state.counters["findings"] = static_cast<double>(findings);
}

BENCHMARK(BM_CheckSolids)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
