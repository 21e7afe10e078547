// Loading the shipped Primary dictionaries: what start-up (the load DllMain runs) and every
// code-set switch pay, and what the tables cost each program in memory.
//
//   load_dictionaries_bench                  the timed loads (median of the repetitions): from the
//                                            main files' text, through their images, and the
//                                            rebuild of a user's image
//   load_dictionaries_bench --load-once      one load from the text, then the peak resident set of
//                                            the process next to the fixed size of the tables
//   load_dictionaries_bench --processes N [--text]
//                                            N programs at once, each started on the images (or
//                                            the text) and typing the workload without a
//                                            promotion; then the private dirty pages of each
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/main_table_block.h"
#include "dict/table_image.h"
#include "dict/table_image_files.h"
#include "dict/tables.h"
#include "ime/module_start.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/bench_data.h"

namespace {

long PeakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The tables and their scan indexes are fixed arrays: this much is touched by a load from text.
constexpr std::size_t kTableBytes = kMainTableBytes + sizeof Tables.UserTable;
constexpr std::size_t kIndexBytes =
    (kMainTableCapacity + kUserTableCapacity) * (sizeof(PackedCode) + sizeof(WordHead));

void BM_LoadDictionaries(benchmark::State& state, MainTables tables) {
    if (!UseMachineData(tables)) {
        state.SkipWithError("the shipped dictionaries cannot be copied");
        return;
    }
    DecodeSettings(kInstalledDefaults, Settings);
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
BENCHMARK_CAPTURE(BM_LoadDictionaries, text, MainTables::Text)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_LoadDictionaries, image, MainTables::Images)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// All of start-up the host can run: the state reset, the settings, the tables through their
// images.
void BM_StartModuleOnImages(benchmark::State& state) {
    if (!UseMachineData(MainTables::Images)) {
        state.SkipWithError("the shipped dictionaries cannot be copied");
        return;
    }
    for (auto _ : state) {
        if (!StartModule()) {
            state.SkipWithError("the module does not start");
            break;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StartModuleOnImages)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// What the first lookup in each group of an image pays once: the check of the group's entries.
void BM_CheckImageGroups(benchmark::State& state) {
    DecodeSettings(kInstalledDefaults, Settings);
    if (!UseMachineData(MainTables::Images) ||
        LoadDictionaries(Settings.CodeSet, true, true) != 1 || MainBlockIsOwn()) {
        state.SkipWithError("the images cannot be mapped");
        return;
    }
    int passed = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (int ordinal = 1; ordinal <= kGroupCount; ++ordinal) {
            passed += ImageGroupPasses(MainBlockInUse(), ordinal, Settings.CodeSet) ? 1 : 0;
        }
    }
    const double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    const double iterations = static_cast<double>(state.iterations());
    state.counters["groups_passed"] = passed / iterations;
    state.counters["us_per_group"] = us / iterations / kGroupCount;
}
BENCHMARK(BM_CheckImageGroups)->Unit(benchmark::kMillisecond);

// The first program after the user's main file changed: the file read line by line and its image
// written for the next programs.
void BM_RebuildUserImage(benchmark::State& state) {
    if (!UseMachineData(MainTables::Text)) {
        state.SkipWithError("the shipped dictionaries cannot be copied");
        return;
    }
    char system[kPathBufferSize];
    GetSystemDirectoryA(system, sizeof system);
    // The user's folder holds a copy of the main file, as after their first learned order.
    HostSetApplicationDataDirectory(system);
    DecodeSettings(kInstalledDefaults, Settings);
    char mainPath[kPathBufferSize];
    UserFilePath(MainFileName(Settings.CodeSet), mainPath);
    SourceFacts facts;
    ReadSourceFacts(mainPath, facts);
    char imagePath[kPathBufferSize];
    TableImagePath(mainPath, facts.checksum, imagePath);
    for (auto _ : state) {
        state.PauseTiming();
        LoadDictionaries(Settings.CodeSet, false, false);
        std::remove(imagePath);
        state.ResumeTiming();
        if (LoadDictionaries(Settings.CodeSet, true, true) != 1) {
            state.SkipWithError("the dictionaries cannot be read");
            break;
        }
    }
    state.counters["image_written"] = std::remove(imagePath) == 0 ? 1 : 0;
    HostSetApplicationDataDirectory(nullptr);
}
BENCHMARK(BM_RebuildUserImage)->Unit(benchmark::kMillisecond)->Repetitions(5);

int LoadOnce() {
    const long before = PeakResidentKilobytes();
    if (!UseMachineData(MainTables::Text)) {
        return 1;
    }
    DecodeSettings(kInstalledDefaults, Settings);
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

// Figures of /proc/self/smaps_rollup and /proc/self/smaps, in kB.
struct PageFigures {
    long privateDirty = 0;        // the whole process
    long imagePrivateDirty = 0;   // the pages of image mappings this process changed
    long imageShared = 0;         // the pages of image mappings other programs map too
    long tablesPrivateDirty = 0;  // the mappings that hold Tables and the own main block
};

long FieldKilobytes(const char* line, const char* name) {
    const std::size_t length = std::strlen(name);
    return std::strncmp(line, name, length) == 0 ? std::atol(line + length) : -1;
}

// A mapping's first line: "start-end perms offset device inode path".
bool MappingLine(const char* line, std::uintptr_t& start, std::uintptr_t& end) {
    unsigned long a = 0;
    unsigned long b = 0;
    char perms[8];
    if (std::sscanf(line, "%lx-%lx %7s", &a, &b, perms) != 3) {
        return false;
    }
    start = a;
    end = b;
    return true;
}

PageFigures ReadPageFigures() {
    PageFigures figures;
    char line[512];
    if (std::FILE* rollup = std::fopen("/proc/self/smaps_rollup", "r")) {
        while (std::fgets(line, sizeof line, rollup) != nullptr) {
            const long kb = FieldKilobytes(line, "Private_Dirty:");
            figures.privateDirty = kb >= 0 ? kb : figures.privateDirty;
        }
        std::fclose(rollup);
    }
    // Where the module's tables lie: they may share their mappings with other data.
    const auto tables = reinterpret_cast<std::uintptr_t>(&Tables);
    const auto block = reinterpret_cast<std::uintptr_t>(&OwnMainBlock());
    const auto overlaps = [](std::uintptr_t start, std::uintptr_t end, std::uintptr_t at,
                             std::size_t size) { return at < end && at + size > start; };
    if (std::FILE* smaps = std::fopen("/proc/self/smaps", "r")) {
        bool inImage = false;
        bool inTables = false;
        while (std::fgets(line, sizeof line, smaps) != nullptr) {
            std::uintptr_t start;
            std::uintptr_t end;
            if (MappingLine(line, start, end)) {
                const std::size_t length = std::strlen(line);
                inImage = length > 5 && std::strcmp(line + length - 5, ".img\n") == 0;
                inTables = overlaps(start, end, tables, sizeof Tables) ||
                           overlaps(start, end, block, sizeof(MainTableBlock));
                continue;
            }
            const long dirty = FieldKilobytes(line, "Private_Dirty:");
            const long sharedClean = FieldKilobytes(line, "Shared_Clean:");
            const long sharedDirty = FieldKilobytes(line, "Shared_Dirty:");
            if (inImage) {
                figures.imagePrivateDirty += dirty > 0 ? dirty : 0;
                figures.imageShared +=
                    (sharedClean > 0 ? sharedClean : 0) + (sharedDirty > 0 ? sharedDirty : 0);
            }
            if (inTables) {
                figures.tablesPrivateDirty += dirty > 0 ? dirty : 0;
            }
        }
        std::fclose(smaps);
    }
    return figures;
}

// One of the programs, a process of its own started on the machine data in system: starts,
// types, says it is ready, and measures when told to (all of them then hold their tables at
// once).
int Probe(const char* system, int ready, int go, int report) {
    const std::vector<std::string> codes = ReadWorkload();
    const PageFigures idle = ReadPageFigures();
    HostSetSystemDirectory(system);
    HostSetApplicationDataDirectory(nullptr);
    WorkloadSession session;
    if (codes.empty() || !session.Open()) {
        return 1;
    }
    TypeWorkload(session.context, codes);
    char byte = 'r';
    if (write(ready, &byte, 1) != 1 || read(go, &byte, 1) != 1) {
        return 1;
    }
    const PageFigures busy = ReadPageFigures();
    char text[160];
    const int n = std::snprintf(text, sizeof text, "%8ld %8ld %8ld %8ld %8ld\n",
                                busy.privateDirty - idle.privateDirty, busy.tablesPrivateDirty,
                                busy.imagePrivateDirty, busy.imageShared, busy.privateDirty);
    return write(report, text, static_cast<std::size_t>(n)) == n ? 0 : 1;
}

int Processes(int count, MainTables tables) {
    // The images are built once, before any program starts, and are on the disk then: a page
    // of the cache not yet written back would count as dirty in the first program to map it.
    if (!UseMachineData(tables)) {
        std::fprintf(stderr, "the shipped dictionaries cannot be copied\n");
        return 1;
    }
    sync();
    int ready[2];
    int go[2];
    int report[2];
    if (pipe(ready) != 0 || pipe(go) != 0 || pipe(report) != 0) {
        return 1;
    }
    char system[kPathBufferSize];
    GetSystemDirectoryA(system, sizeof system);
    const std::string fds =
        std::to_string(ready[1]) + " " + std::to_string(go[0]) + " " + std::to_string(report[1]);
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            // A program of its own: nothing of this one's memory is shared with it.
            execl("/proc/self/exe", "load_dictionaries_bench", "--probe", system, fds.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        children.push_back(child);
    }
    close(ready[1]);
    close(report[1]);
    int readyCount = 0;
    char byte;
    while (readyCount < count && read(ready[0], &byte, 1) == 1) {
        ++readyCount;
    }
    for (int i = 0; i < readyCount; ++i) {
        byte = 'g';
        if (write(go[1], &byte, 1) != 1) {
            return 1;
        }
    }
    std::string reports;
    char buffer[512];
    ssize_t got;
    while ((got = read(report[0], buffer, sizeof buffer)) > 0) {
        reports.append(buffer, static_cast<std::size_t>(got));
    }
    int failed = 0;
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        failed += !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    std::printf(
        "%d program%s on the %s, private dirty kB after start-up and the workload:\n"
        "   added   tables  in-image  image-shared  process\n%s",
        count, count == 1 ? "" : "s", tables == MainTables::Images ? "images" : "text",
        reports.c_str());
    long added = 0;
    int programs = 0;
    for (const char* line = reports.c_str(); *line != '\0'; ++programs) {
        added += std::atol(line);
        const char* next = std::strchr(line, '\n');
        line = next != nullptr ? next + 1 : line + std::strlen(line);
    }
    std::printf("mean added per program: %ld kB\n", programs > 0 ? added / programs : 0);
    return failed == 0 && programs == count ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--load-once") == 0) {
        return LoadOnce();
    }
    int ready;
    int go;
    int report;
    if (argc == 4 && std::strcmp(argv[1], "--probe") == 0 &&
        std::sscanf(argv[3], "%d %d %d", &ready, &go, &report) == 3) {
        return Probe(argv[2], ready, go, report);
    }
    if (argc > 2 && std::strcmp(argv[1], "--processes") == 0) {
        const bool text = argc > 3 && std::strcmp(argv[3], "--text") == 0;
        return Processes(std::atoi(argv[2]), text ? MainTables::Text : MainTables::Images);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
