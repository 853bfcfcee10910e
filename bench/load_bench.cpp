// The load step and the rewrite on generated drawings of 10^4, 10^5 and 10^6 solids (12
// colours), timed in wall-clock time with all the cores at work, the file in the system's cache:
//   Cat       `cat TEMP.TXT > /dev/null`, the floor any reading of the file stands on;
//   LoadFile  finding and reading TEMP.TXT and the whole ReadExchange over it: what the
//             program does at start (in an area-table mode);
//   LoadStep  ReadExchange alone, over bytes already in memory;
//   Rewrite   the colour change's OK: JWC_TEMP.TXT written and renamed into place, after an
//             untimed load of the same drawing in that mode.
//
//   load_bench --benchmark_counters_tabular=true
//
// Counters: file_MB the file's size; peak_MB the rise of the resident size from just before
// the file is read to the peak of the run (for Rewrite: of the load and the rewrite
// together), the file's bytes included; peak_per_file their ratio. LoadFile also runs cat on
// the same file in each iteration: load_per_cat is the load's time over cat's. Rewrite times
// its load as well: rewrite_per_load is the rewrite's time over the load's. cpu_ms is the CPU
// time (user and system; cat's own for cat) of what the benchmark times: on a busy machine
// it stays near the idle machine's wall time when the wall time does not. Linux only.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "ExchangeGenerator.h"
#include "base/Memory.h"
#include "exchange/ExchangeReader.h"
#include "output/OkCommand.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct SilentNotifier : Notifier {
    Answer Show(const Message&) override { return Answer::Ok; }
};

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// The CPU time the process has used, in seconds.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// What one benchmark's iterations took: wall time is the benchmark's own measure.
struct Times {
    double wall = 0, cpu = 0;
    void Add(double wallSeconds, double cpuSeconds) {
        wall += wallSeconds;
        cpu += cpuSeconds;
    }
    void Report(benchmark::State& state) const {
        state.counters["cpu_ms"] = 1000 * cpu / static_cast<double>(state.iterations());
    }
};

// Wall and CPU time from its making.
struct Stopwatch {
    Clock::time_point start = Clock::now();
    double cpuStart = CpuSeconds();
    // Adds the time so far to `times`; returns its wall seconds.
    double AddTo(Times& times) const {
        const double wall = Seconds(start, Clock::now());
        times.Add(wall, CpuSeconds() - cpuStart);
        return wall;
    }
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

// The wall and CPU time of `cat path > /dev/null`, in seconds.
Times Cat(const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char cat[] = "cat";
    std::string file = path;
    char* argv[] = {cat, file.data(), nullptr};
    Clock::time_point start = Clock::now();
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawnp(&pid, "cat", &actions, nullptr, argv, environ) == 0)
        wait4(pid, &status, 0, &usage);
    Clock::time_point end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return {Seconds(start, end), Seconds(usage.ru_utime) + Seconds(usage.ru_stime)};
}

// TEMP.TXT of a generated drawing in a folder of its own, removed with the object.
class ExchangeFolder {
  public:
    explicit ExchangeFolder(const benchmark::State& state) {
        // Large blocks always come from and go back to the system, so that what one iteration
        // freed is not counted as resident before the next.
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
        generated_ = GenerateExchange({.solids = state.range(0), .colours = 12, .seed = 42});
        folder_ = fs::temp_directory_path() / ("vemora-load-bench-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        std::ofstream(folder_ / "TEMP.TXT", std::ios::binary) << generated_.bytes;
    }
    ~ExchangeFolder() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    ExchangeFolder(const ExchangeFolder&) = delete;
    ExchangeFolder& operator=(const ExchangeFolder&) = delete;

    const std::string& Bytes() const { return generated_.bytes; }
    std::string Folder() const { return folder_.string(); }
    std::string File() const { return (folder_ / "TEMP.TXT").string(); }

  private:
    GeneratedExchange generated_;
    fs::path folder_;
};

const PenColourTable& Pens() {
    static const PenColourTable pens{};
    return pens;
}

// The largest rise of the resident size over the measured parts of the iterations.
class PeakMeter {
  public:
    void Start() {
        baseline_ = CurrentRssMb();
        ResetPeakRss();
    }
    void Stop() { peak_ = std::max(peak_, PeakRssMb() - baseline_); }

    void Report(benchmark::State& state, std::size_t fileBytes) const {
        double fileMb = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileBytes));
        state.counters["file_MB"] = fileMb;
        state.counters["peak_MB"] = peak_;
        state.counters["peak_per_file"] = peak_ / fileMb;
    }

  private:
    double baseline_ = 0;
    double peak_ = 0;
};

void BM_Cat(benchmark::State& state) {
    ExchangeFolder exchange(state);
    Times cat;
    for (auto _ : state) {
        Times once = Cat(exchange.File());
        state.SetIterationTime(once.wall);
        cat.Add(once.wall, once.cpu);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(exchange.Bytes().size()));
    cat.Report(state);
}

void BM_LoadFile(benchmark::State& state) {
    ExchangeFolder exchange(state);
    const ReadOptions options{.pens = &Pens(), .measuresAreas = true};
    SilentNotifier notifier;
    PeakMeter meter;
    Times load, cat;
    for (auto _ : state) {
        Times once = Cat(exchange.File());
        cat.Add(once.wall, once.cpu);
        Table table;
        Drawing drawing;
        meter.Start();
        const Stopwatch watch;
        ReadOutcome outcome = ReadExchangeFile(exchange.Folder(), options, table, drawing, notifier);
        state.SetIterationTime(watch.AddTo(load));
        meter.Stop();
        benchmark::DoNotOptimize(outcome);
    }
    meter.Report(state, exchange.Bytes().size());
    load.Report(state);
    state.counters["load_per_cat"] = load.wall / cat.wall;
}

void BM_LoadStep(benchmark::State& state) {
    ExchangeFolder exchange(state);
    const ReadOptions options{.pens = &Pens(), .measuresAreas = true};
    SilentNotifier notifier;
    PeakMeter meter;
    Times load;
    for (auto _ : state) {
        Table table;
        Drawing drawing;
        meter.Start();
        // What reading TEMP.TXT gives: the bytes in a buffer advised as file::Read advises it.
        std::string bytes;
        memory::ReserveLarge(bytes, exchange.Bytes().size());
        bytes = exchange.Bytes();
        const Stopwatch watch;
        ReadOutcome outcome = ReadExchange(std::move(bytes), options, table, drawing, notifier);
        state.SetIterationTime(watch.AddTo(load));
        meter.Stop();
        benchmark::DoNotOptimize(outcome);
    }
    meter.Report(state, exchange.Bytes().size());
    load.Report(state);
}

void BM_Rewrite(benchmark::State& state) {
    ExchangeFolder exchange(state);
    const ReadOptions options{.pens = &Pens(), .rewritesSolids = true};
    const TableSettings settings;
    const std::string title;
    SilentNotifier notifier;
    PeakMeter meter;
    Times load, rewrite;
    for (auto _ : state) {
        Table table;
        Drawing drawing;
        meter.Start();
        const Stopwatch loading;
        ReadExchangeFile(exchange.Folder(), options, table, drawing, notifier);
        loading.AddTo(load);
        const Stopwatch rewriting;
        OkResult result = RunOk({.output = OkOutput::Rewrite,
                                 .rewrite = RewriteKind::Recolour,
                                 .table = table,
                                 .drawing = drawing,
                                 .settings = settings,
                                 .title = title,
                                 .programFolder = exchange.Folder(),
                                 .coordinateFolder = exchange.Folder(),
                                 .readingStoppedEarly = false},
                                notifier);
        state.SetIterationTime(rewriting.AddTo(rewrite));
        meter.Stop();
        if (!result.wrote)
            state.SkipWithError("JWC_TEMP.TXT was not written");
    }
    meter.Report(state, exchange.Bytes().size());
    rewrite.Report(state);
    state.counters["rewrite_per_load"] = rewrite.wall / load.wall;
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Cat)->Apply(Sizes);
BENCHMARK(BM_LoadFile)->Apply(Sizes);
BENCHMARK(BM_LoadStep)->Apply(Sizes);
BENCHMARK(BM_Rewrite)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
