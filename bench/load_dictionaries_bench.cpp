// Loading the shipped Primary dictionaries: what start-up and every code-set switch pay.
//
//   load_dictionaries_bench                  the timed loads (median of the repetitions)
//   load_dictionaries_bench --load-once      one load, then the peak resident set of the process
//                                            next to the fixed size of the tables
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/tables.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"

namespace {

// The shipped files are only read: the stand-in's system directory is the source tree's data/.
void UseShippedData() {
    HostSetSystemDirectory(ZELK_SOURCE_DIR "/data");
    DecodeSettings(kInstalledDefaults, Settings);
}

long PeakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The tables and their scan indexes are fixed arrays: this much is touched by every load.
constexpr std::size_t kTableBytes = sizeof Tables.MainTable + sizeof Tables.UserTable;
constexpr std::size_t kIndexBytes =
    (kMainTableCapacity + kUserTableCapacity) * (sizeof(PackedCode) + sizeof(WordHead));

void BM_LoadDictionaries(benchmark::State& state) {
    UseShippedData();
    for (auto _ : state) {
        if (LoadDictionaries(Settings.CodeSet, true, true) != 1) {
            state.SkipWithError("the shipped dictionaries cannot be read");
            break;
        }
        benchmark::DoNotOptimize(Tables.MainTable);
        benchmark::ClobberMemory();
    }
    state.counters["main_entries"] = static_cast<double>(Tables.LetterStart[kLetterStartCount - 1]);
    state.counters["fixed_MB"] = static_cast<double>(kTableBytes + kIndexBytes) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKilobytes()) / 1e3;
}
BENCHMARK(BM_LoadDictionaries)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

int LoadOnce() {
    const long before = PeakResidentKilobytes();
    UseShippedData();
    if (LoadDictionaries(Settings.CodeSet, true, true) != 1) {
        std::fprintf(stderr, "the shipped dictionaries cannot be read\n");
        return 1;
    }
    const long after = PeakResidentKilobytes();
    std::size_t used = 0;
    while (used < kMainTableCapacity && !IsEmptyEntry(Tables.MainTable[used])) {
        ++used;
    }
    std::printf("main entries read:        %zu\n", used);
    std::printf("tables (main + user):     %zu bytes\n", kTableBytes);
    std::printf("scan indexes:             %zu bytes\n", kIndexBytes);
    std::printf("peak RSS before the load: %ld kB\n", before);
    std::printf("peak RSS after the load:  %ld kB\n", after);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--load-once") == 0) {
        return LoadOnce();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
