// What one key costs: the workload's codes typed key by key on the shipped Primary dictionaries
// with the installed default settings, the candidate list read after every key as the candidate
// window reads it, and the first candidate committed after the last key as the space bar does.
//
// Two ways for the messages to leave: in_call types each key inside a message list, as
// ImeToAsciiEx delivers keys; outside_call sends every message through the context's message
// buffer and ImmGenerateMessage, as clicks and dialogs do (the buffer grows with the platform's
// ImmReSizeIMCC, a heap operation of the stand-in).
//
// Counters: per letter key mean, p50 and p99 (microseconds, ProcessCharacter alone); the same for
// the commit after each code; engine_ms, the time of all keys and commits of one workload; and the
// benchmark's own time per iteration, the whole workload with list reading and timer overhead.
// Where the time goes: the mean by the key's place in its code (key1..key4) and of the keys that
// committed their code themselves. The label is a checksum of every list read in one workload.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dict/dictionary_files.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/lookup.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "engine/window_state.h"
#include "context/message_queue.h"
#include "engine/mode_state.h"
#include "ime/process_state.h"
#include "support/bench_data.h"

namespace {

using Clock = std::chrono::steady_clock;

// Room for every message one key can queue, as the system's list gives it.
struct MessageList {
    TRANSMSGLIST list;
    TRANSMSG more[63];
};

// What the candidate window does after a key: copies the texts of the slots in use.
struct ListReader {
    char texts[kMaxCandidates * kCandidateSlotSize];
    std::size_t bytes = 0;
    // FNV-1a of every list read: a change of the engine that keeps its results keeps it.
    std::uint32_t checksum = 2166136261u;
    bool summing = true;

    void Read(HIMC context) {
        ContextLock locked(context);
        CandInfoLock info(locked ? locked->hCandInfo : nullptr);
        if (!info) {
            return;
        }
        CANDIDATELIST* list = CandidateListOf(info.get());
        bytes = 0;
        for (int slot = kFirstCandidateSlot; slot < Conversion.CandidateCount; ++slot) {
            const char* text = CandidateSlot(list, slot);
            const std::size_t length = strnlen(text, kMaxSlotBytes);
            std::memcpy(texts + bytes, text, length);
            bytes += length;
            if (summing) {
                for (std::size_t i = 0; i <= length; ++i) {
                    checksum = (checksum ^ static_cast<unsigned char>(text[i])) * 16777619u;
                }
            }
        }
    }
};

struct Percentiles {
    double mean_us;
    double p50_us;
    double p99_us;
};

Percentiles Summarise(std::vector<std::uint32_t>& nanoseconds) {
    if (nanoseconds.empty()) {
        return {0, 0, 0};
    }
    double sum = 0;
    for (std::uint32_t ns : nanoseconds) {
        sum += ns;
    }
    auto at = [&](double fraction) {
        const std::size_t k = static_cast<std::size_t>(fraction * (nanoseconds.size() - 1));
        std::nth_element(nanoseconds.begin(), nanoseconds.begin() + k, nanoseconds.end());
        return nanoseconds[k] / 1e3;
    };
    return {sum / nanoseconds.size() / 1e3, at(0.50), at(0.99)};
}

std::uint32_t Elapsed(Clock::time_point start, Clock::time_point end) {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count());
}

// What a pair of clock readings costs on its own: part of every timed key.
double TimerOverheadNs() {
    constexpr int kRounds = 100000;
    std::uint64_t total = 0;
    for (int i = 0; i < kRounds; ++i) {
        const Clock::time_point start = Clock::now();
        total += Elapsed(start, Clock::now());
    }
    return static_cast<double>(total) / kRounds;
}

void BM_KeyPath(benchmark::State& state, bool inCall, MainTables tables) {
    const std::vector<std::string> workload = ReadWorkload();
    std::size_t keysPerRun = 0;
    for (const std::string& code : workload) {
        keysPerRun += code.size();
    }
    WorkloadSession session;
    if (workload.empty() || !UseMachineData(tables) || !session.Open()) {
        state.SkipWithError("the workload or the shipped dictionaries cannot be read");
        return;
    }
    HIMC context = session.context;
    MessageList messages{};
    messages.list.uMsgCount = sizeof messages.more / sizeof messages.more[0] + 1;
    ListReader reader;

    std::vector<std::uint32_t> keyTimes;
    std::vector<std::uint32_t> commitTimes;
    keyTimes.reserve(keysPerRun * state.max_iterations);
    commitTimes.reserve(workload.size() * state.max_iterations);
    std::uint64_t engineNs = 0;
    std::uint64_t listBytes = 0;
    std::size_t emptyLists = 0;
    std::size_t autoCommits = 0;
    // Where the time goes: by the key's place in its code, and the keys that committed.
    double positionNs[kMaxCodeLength] = {};
    double positionKeys[kMaxCodeLength] = {};
    double committingNs = 0;

    for (auto _ : state) {
        for (const std::string& code : workload) {
            for (std::size_t position = 0; position < code.size(); ++position) {
                const char key = code[position];
                if (inCall) {
                    BeginMessageList(&messages.list);
                }
                const Clock::time_point start = Clock::now();
                ProcessCharacter(context, static_cast<unsigned char>(key), 0);
                const std::uint32_t ns = Elapsed(start, Clock::now());
                if (inCall) {
                    FinishMessageList(context);
                }
                keyTimes.push_back(ns);
                engineNs += ns;
                positionNs[position] += ns;
                positionKeys[position] += 1;
                if (Conversion.CodeLength == 0) {
                    committingNs += ns;
                }
                reader.Read(context);
                listBytes += reader.bytes;
                // A pending code without candidates (an auto-committed one has none left).
                emptyLists +=
                    Conversion.CodeLength > 0 && Conversion.CandidateCount == kFirstCandidateSlot;
            }
            // A code that completed itself with a single candidate is committed already.
            if (Conversion.CodeLength == 0) {
                ++autoCommits;
                continue;
            }
            if (inCall) {
                BeginMessageList(&messages.list);
            }
            const Clock::time_point start = Clock::now();
            // The space bar.
            if (Conversion.CandidateCount > kFirstCandidateSlot) {
                Conversion.CandidateCount = kFirstCandidateSlot;
                Conversion.CandidatesOpen = 0;
                CommitFirstCandidate(context);
                EditCode(context, ' ', Clear, true);
            }
            const std::uint32_t ns = Elapsed(start, Clock::now());
            if (inCall) {
                FinishMessageList(context);
            }
            commitTimes.push_back(ns);
            engineNs += ns;
            reader.Read(context);
            listBytes += reader.bytes;
        }
        // One workload is enough for the checksum.
        reader.summing = false;
    }
    benchmark::DoNotOptimize(listBytes);

    const double runs = static_cast<double>(state.iterations());
    const Percentiles keys = Summarise(keyTimes);
    const Percentiles commits = Summarise(commitTimes);
    state.counters["keys"] = static_cast<double>(keysPerRun);
    state.counters["key_mean_us"] = keys.mean_us;
    state.counters["key_p50_us"] = keys.p50_us;
    state.counters["key_p99_us"] = keys.p99_us;
    state.counters["commit_mean_us"] = commits.mean_us;
    state.counters["commit_p99_us"] = commits.p99_us;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::string name = "key" + std::to_string(k + 1) + "_mean_us";
        state.counters[name] = positionKeys[k] > 0 ? positionNs[k] / positionKeys[k] / 1e3 : 0;
    }
    state.counters["autocommit_key_mean_us"] =
        committingNs / (autoCommits > 0 ? autoCommits : 1) / 1e3;
    state.counters["engine_ms"] = static_cast<double>(engineNs) / runs / 1e6;
    state.counters["timer_ns"] = TimerOverheadNs();
    // Sanity: every workload code is in the main dictionary, so no key may leave an empty list.
    state.counters["empty_lists"] = static_cast<double>(emptyLists) / runs;
    char label[32];
    std::snprintf(label, sizeof label, "lists %08x", static_cast<unsigned>(reader.checksum));
    state.SetLabel(label);
    state.counters["auto_commits"] = static_cast<double>(autoCommits) / runs;
}

BENCHMARK_CAPTURE(BM_KeyPath, in_call, true, MainTables::Text)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_KeyPath, outside_call, false, MainTables::Text)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
// The same keys on the main table mapped from its image, as every program but the installer's
// first finds it.
BENCHMARK_CAPTURE(BM_KeyPath, in_call_image, true, MainTables::Images)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The lookup alone in GBK mode, where the rare characters are offered: every prefix of every
// workload code, in both code sets. Label: how many characters all lookups found.
void BM_GbkModeLookup(benchmark::State& state, std::int32_t codeSet) {
    const std::vector<std::string> codes = ReadWorkload();
    WorkloadSession session;
    if (codes.empty() || !UseMachineData(MainTables::Text) || !session.Open()) {
        state.SkipWithError("no workload or no dictionaries");
        return;
    }
    Settings.GbkMode = 1;
    Settings.CodeSet = codeSet;
    std::vector<std::string> prefixes;
    for (const std::string& code : codes) {
        for (std::size_t n = 1; n <= code.size(); ++n) {
            prefixes.push_back(code.substr(0, n));
        }
    }
    std::uint64_t found = 0;
    std::int64_t lookupNs = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        for (const std::string& prefix : prefixes) {
            const std::optional<LookupOutcome> outcome = LookupCandidates(prefix.c_str());
            found += outcome ? outcome->found.count : 0;
        }
        lookupNs +=
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
    }
    state.counters["us_per_lookup"] = static_cast<double>(lookupNs) / 1e3 /
                                      static_cast<double>(prefixes.size() * state.iterations());
    char label[48];
    std::snprintf(label, sizeof label, "found %llu",
                  static_cast<unsigned long long>(found / state.iterations()));
    state.SetLabel(label);
}

BENCHMARK_CAPTURE(BM_GbkModeLookup, primary, kCodeSetPrimary)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GbkModeLookup, secondary, kCodeSetSecondary)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
