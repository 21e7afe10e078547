// The key path never allocates: keys typed through ProcessCharacter, as ImeToAsciiEx hands them
// over (inside a message list), on the shipped dictionaries.
//
// Allocations are counted through support/allocation_control.h, armed only while keys are typed:
// set-up and the test framework allocate freely.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/lookup.h"
#include "context/input_context.h"
#include "settings/settings.h"
#include "support/allocation_control.h"
#include "support/engine_session.h"
#include "context/message_queue.h"

namespace {

bool& armed = AllocationCounting;
std::size_t& newCalls = NewCalls;
std::size_t& mallocCalls = MallocCalls;

}  // namespace

namespace {

struct Counted {
    std::size_t news;
    std::size_t mallocs;
};

class Counting {
  public:
    Counting() {
        newCalls = 0;
        mallocCalls = 0;
        armed = true;
    }
    ~Counting() { armed = false; }
    Counted Stop() {
        armed = false;
        return {newCalls, mallocCalls};
    }
};

// A key as the key entry hands it to the engine.
struct Key {
    unsigned character;
    unsigned scan;
};
// Not a character: ends a code as the user does, with the space bar when it has candidates and
// with Escape when it has none (an already committed code needs nothing).
constexpr unsigned kEndOfCode = 0x100;
constexpr int kMaxKeys = 1024;

// Room for every message one key queues, as the system's list gives it.
struct MessageList {
    TRANSMSGLIST list;
    TRANSMSG more[63];
};

class KeyPathAllocationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.UseShippedDictionaries(kCodeSetPrimary);
        messages.list.uMsgCount = sizeof messages.more / sizeof messages.more[0] + 1;
    }

    // The first codes of the benchmark workload, each ended.
    void AddWorkloadCodes(int codes) {
        std::FILE* file = std::fopen(ZELK_SOURCE_DIR "/bench/workload.txt", "rb");
        ASSERT_NE(file, nullptr);
        char line[64];
        for (int n = 0; n < codes && std::fgets(line, sizeof line, file) != nullptr; ++n) {
            for (std::size_t i = 0; i < std::strcspn(line, "\r\n"); ++i) {
                Add(static_cast<unsigned char>(line[i]));
            }
            Add(kEndOfCode);
        }
        std::fclose(file);
    }
    void Add(unsigned character, unsigned scan = 0) {
        ASSERT_LT(count, kMaxKeys);
        keys[count++] = {character, scan};
    }
    void AddText(const char* text) {
        for (; *text != '\0'; ++text) {
            Add(static_cast<unsigned char>(*text));
        }
    }

    // One key inside a message list, as ImeToAsciiEx passes it on; the space bar and Escape as
    // the key entry handles them. Returns the commits among the key's messages.
    int Press(const Key& key) {
        HIMC context = session.context();
        BeginMessageList(&messages.list);
        if (key.character != kEndOfCode) {
            ProcessCharacter(context, key.character, key.scan);
        } else if (Conversion.CodeLength > 0 && Conversion.CandidateCount > kFirstCandidateSlot) {
            Conversion.CandidateCount = kFirstCandidateSlot;
            Conversion.CandidatesOpen = 0;
            CommitFirstCandidate(context);
            EditCode(context, ' ', Clear, true);
        } else if (Conversion.CodeLength > 0) {
            EditCode(context, 0x1B, Clear, true);
            Conversion.CandidateCount = kFirstCandidateSlot;
            Conversion.CandidatesOpen = 0;
        }
        const UINT queued = FinishMessageList(session.context());
        int commits = 0;
        // The platform declares the entries as an array of one.
        const TRANSMSG* entries = messages.list.TransMsg;
        for (UINT i = 0; i < queued && i < messages.list.uMsgCount; ++i) {
            const TRANSMSG& m = entries[i];
            commits += m.message == WM_IME_COMPOSITION && (m.lParam & 0x800) != 0;
        }
        return commits;
    }

    struct Typed {
        Counted counted;
        int commits;
        int listsShown;
    };
    Typed TypeAll() {
        Typed typed{};
        Counting counting;
        for (int i = 0; i < count; ++i) {
            typed.commits += Press(keys[i]);
            typed.listsShown += Conversion.CandidateCount > kFirstCandidateSlot;
        }
        typed.counted = counting.Stop();
        return typed;
    }

    // Typed once before counting: whatever the stand-in sets up on first use (the time zone of
    // the special codes' clock) is not the key path's.
    Typed TypeAllTwice() {
        TypeAll();
        return TypeAll();
    }

    EngineSession session;
    MessageList messages{};
    Key keys[kMaxKeys];
    int count = 0;
};

TEST_F(KeyPathAllocationTest, TheCounterSeesAllocations) {
    InstallMallocHook();
    Counting counting;
    void* volatile block = ::operator new(24);
    ::operator delete(block);
    void* volatile raw = std::malloc(24);
    std::free(raw);
    const Counted counted = counting.Stop();
    EXPECT_EQ(counted.news, 1u);
    if (InstallMallocHook()) {
        EXPECT_GE(counted.mallocs, 2u);
    }
}

TEST_F(KeyPathAllocationTest, WorkloadCodesWithDefaultSettings) {
    InstallMallocHook();
    AddWorkloadCodes(200);
    ASSERT_GE(count, 800);
    const Typed typed = TypeAllTwice();
    EXPECT_EQ(typed.counted.news, 0u);
    EXPECT_EQ(typed.counted.mallocs, 0u);
    // Every code was committed, by itself or by the space bar.
    EXPECT_EQ(typed.commits, 200);
    EXPECT_GT(typed.listsShown, 600);
}

// Paging, selection with promotion, the second- and third-candidate keys, punctuation after a
// code, Ctrl+N, association choices, digits and symbols with nothing pending.
TEST_F(KeyPathAllocationTest, PagingSelectionPunctuationAndAssociation) {
    InstallMallocHook();
    Settings.AutoFrequency = 1;
    Settings.CommaPeriodPaging = 1;
    const char* codes[] = {"a", "g", "t", "ab", "wq", "yy", "ri", "mm", "dd", "s"};
    for (const char* code : codes) {
        AddText(code);
        Add('=');
        Add(0, kPageDownScan);
        Add('.');
        Add('-');
        Add(0, kPageUpScan);
        Add(',');
        Add('3');  // promoted, committed; association follows
        Add('1');  // an association candidate
        AddText(code);
        Add(14);  // Ctrl+N
        AddText(code);
        Add('!');  // commits the first candidate with the converted symbol
        Add('7');
        Add('?');
        AddText(code);
        Add('x');
        Add(kEndOfCode);
    }
    const Typed typed = TypeAllTwice();
    EXPECT_EQ(typed.counted.news, 0u);
    EXPECT_EQ(typed.counted.mallocs, 0u);
    EXPECT_GT(typed.commits, 40);
}

TEST_F(KeyPathAllocationTest, SecondAndThirdCandidateKeysAndGbkMode) {
    InstallMallocHook();
    Settings.SemicolonQuoteKeys = 1;
    const char* codes[] = {"ab", "gg", "tt", "w", "kk"};
    for (const char* code : codes) {
        AddText(code);
        Add(';');
        AddText(code);
        Add('\'');
        AddText(code);
        Add(kEndOfCode);
    }
    const Typed normal = TypeAllTwice();
    EXPECT_EQ(normal.counted.news, 0u);
    EXPECT_EQ(normal.counted.mallocs, 0u);
    EXPECT_GT(normal.commits, 10);

    // GBK mode looks the rare characters up in the character code table instead.
    Settings.GbkMode = 1;
    const Typed gbk = TypeAllTwice();
    EXPECT_EQ(gbk.counted.news, 0u);
    EXPECT_EQ(gbk.counted.mallocs, 0u);
    EXPECT_GT(gbk.listsShown, 5);
}

}  // namespace
