// What the fuzzers share: the shipped dictionaries of both code sets with hand-made entries at
// their edges (the longest words, six-key codes, words with letters, spaces and separators in
// them, a lone lead byte, an empty word), random settings, a prepared context, and the state that
// must hold together after every key.
#include "support/engine_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <string>

#include "common/scratch_directory.h"
#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "engine/online_word_state.h"
#include "engine/conversion_state.h"
#include "engine/commit.h"
#include "engine/window_state.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "engine/mode_state.h"
#include "dict/tables.h"
#include "ime/process_state.h"
#include "support/table_restore.h"

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

namespace {

struct HandMade {
    const char* code;
    const char* word;
};

// "啊" repeated: 98 bytes; with one more letter 99, the longest word an entry holds.
#define ZELK_AH10 "\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1"
#define ZELK_AH49                                  \
    ZELK_AH10 ZELK_AH10 ZELK_AH10 ZELK_AH10        \
        "\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1" \
        "\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1"

const HandMade kUserWords[] = {
    {"a", ZELK_AH49 "x"},    // 99 bytes ending in a letter
    {"ab", ZELK_AH49},       // 98 bytes
    {"abcdef", "\xB0\xA1"},  // six keys
    {"abc",
     "\xB0\xA1"
     "abc"},                     // a word with code letters in it
    {"zz", "\xB0\x61\xB0\x7A"},  // trail bytes that look like letters
    {"b", "|"},                  // the list separator
    {"b", " "},                  // the GBK-mode separator
    {"bb", "\xB0"},              // a lone lead byte
    {"yy", ""},                  // an empty word
    {"dat", "\xC8\xD5"},         // next to the special codes
    {"tim", "\xCA\xB1"},
    {";a", "\xB7\xD6"},  // Secondary keys
    {"/b", "\xD0\xB1"},
    {"aaaaaa",
     "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
     "aaaaaa"},
    {"q", ZELK_AH49},
    {"qq", ZELK_AH49 "q"},
};

// Written over the first entry of a main-table group (the groups keep their sizes).
const HandMade kMainWords[] = {
    {"a", ZELK_AH49 "x"},
    {"bcdefg",
     "\xB0\xA1"
     "bcd"},
    {"y", "\xB0\x61"},
    {"t", ZELK_AH49},
};

void Store(DictEntry& entry, const HandMade& made) {
    std::memset(&entry, 0, sizeof entry);
    std::strncpy(entry.code, made.code, kMaxCodeLength);
    std::strncpy(entry.word, made.word, kMaxWordBytes);
}

// Set by ZELK_FUZZ_CHECK_RESTORE: every start compares the restored tables with a fresh load.
bool checkRestore = false;
// ZELK_FUZZ_CODE_SET=0 or 1: every input uses that code set, which spares the whole copy of the
// tables an input of the other code set needs.
std::int32_t fixedCodeSet = -1;

}  // namespace

bool LoadWithHandMadeEntries(std::int32_t codeSet) {
    Settings.CodeSet = codeSet;
    if (LoadDictionaries(Settings.CodeSet, true, true) != 1) {
        return false;
    }
    std::size_t used = 0;
    while (used < kUserTableCapacity && !IsEmptyEntry(Tables.UserTable[used])) {
        ++used;
    }
    for (const HandMade& made : kUserWords) {
        Store(Tables.UserTable[used++], made);
    }
    for (const HandMade& made : kMainWords) {
        const int group = GroupOrdinal(static_cast<unsigned char>(made.code[0]));
        Store(Tables.MainTable[Tables.LetterStart[group - 1]], made);
    }
    RebuildCodeIndexes();
    return true;
}

void LoadFuzzTables() {
    // Runs make words and save tables: they work on a copy, never on the shipped files.
    static ScratchDirectory scratch;
    const std::string system = scratch.Create() ? scratch.Path("system") : std::string();
    if (system.empty() || !CopyDictionaryFiles(ZELK_SOURCE_DIR "/data", system)) {
        std::fprintf(stderr, "no copy of the shipped dictionaries could be made\n");
        std::abort();
    }
    HostSetSystemDirectory(system.c_str());
    DecodeSettings(kInstalledDefaults, Settings);
    for (std::int32_t codeSet : {kCodeSetSecondary, kCodeSetPrimary}) {
        if (!LoadWithHandMadeEntries(codeSet)) {
            std::fprintf(stderr, "the shipped dictionaries cannot be read\n");
            std::abort();
        }
        KeepPristineTables(codeSet);
    }
    checkRestore = std::getenv("ZELK_FUZZ_CHECK_RESTORE") != nullptr;
    const char* codeSet = std::getenv("ZELK_FUZZ_CODE_SET");
    if (codeSet != nullptr && (codeSet[0] == '0' || codeSet[0] == '1') && codeSet[1] == '\0') {
        fixedCodeSet = codeSet[0] == '1' ? kCodeSetPrimary : kCodeSetSecondary;
    }
    std::atexit(PrintRestoreCounts);
}

HIMC CreatePreparedContext(HWND& owner) {
    owner = HostCreateWindow();
    HIMC context = HostCreateInputContext();
    HostSetContextOwner(context, owner);
    INPUTCONTEXT* record = ImmLockIMC(context);
    InitCompositionString(record);
    ShapeSelectedCandidateInfo(record);
    ImmUnlockIMC(context);
    return context;
}

void CheckState(HIMC context) {
    Require(Conversion.CandidateCount >= kFirstCandidateSlot &&
                Conversion.CandidateCount <= kMaxCandidateCount,
            "CandidateCount in 2..99");
    Require(Conversion.CodeLength <= kMaxCodeLength, "CodeLength at most 6");
    Require(strnlen(Conversion.CodeBuffer, kCodeFieldSize) == Conversion.CodeLength,
            "CodeBuffer NUL-terminated at CodeLength");
    Require(std::memchr(Conversion.ResultText, '\0', kWordFieldSize) != nullptr,
            "ResultText NUL-terminated");

    Require(HostContextLockCount(context) == 0, "context unlocked after the key");
    INPUTCONTEXT* data = ImmLockIMC(context);
    Require(HostComponentLockCount(data->hCompStr) == 0 &&
                HostComponentLockCount(data->hCandInfo) == 0 &&
                HostComponentLockCount(data->hMsgBuf) == 0,
            "components unlocked after the key");
    auto* comp = static_cast<COMPOSITIONSTRING*>(ImmLockIMCC(data->hCompStr));
    auto* info = static_cast<CANDIDATEINFO*>(ImmLockIMCC(data->hCandInfo));
    Require(comp != nullptr && info != nullptr, "components lockable");
    Require(std::memchr(ResultString(comp), '\0', kResultStrAreaSize) != nullptr,
            "result string NUL-terminated within the component");
    Require(comp->dwResultStrLen <= kMaxResultBytes, "result length within its area");
    // The tables hold hand-made words with a lone lead byte and separators: what reaches the
    // application is plain text all the same.
    for (const char* p = ResultString(comp); *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        Require(byte >= 0x20 && byte != 0x7F, "no control byte in a result");
    }
    Require(std::memchr(CompositionText(comp), '\0', kCompStrAreaSize) != nullptr,
            "composition string NUL-terminated within its area");
    CANDIDATELIST* list = CandidateListOf(info);
    for (int slot = kFirstCandidateSlot; slot < Conversion.CandidateCount; ++slot) {
        Require(std::memchr(CandidateSlot(list, slot), '\0', kCandidateSlotSize) != nullptr,
                "candidate slot NUL-terminated within its 100 bytes");
    }
    if (Conversion.CandidatesOpen != 0) {
        Require(list->dwCount == Conversion.CandidateCount, "dwCount is CandidateCount while open");
    }
    ImmUnlockIMCC(data->hCandInfo);
    ImmUnlockIMCC(data->hCompStr);
    ImmUnlockIMC(context);
}

// ---------------------------------------------------------------------------------------------

// Bytes 0..3 of an input: the options, the modes and the clock.
void ApplySettings(const std::uint8_t* bits) {
    const std::uint32_t word = static_cast<std::uint32_t>(bits[0]) | bits[1] << 8 | bits[2] << 16 |
                               static_cast<std::uint32_t>(bits[3]) << 24;
    auto bit = [word](int n) { return static_cast<std::int32_t>((word >> n) & 1); };
    Settings.WordAssociation = bit(0);
    Settings.PhraseInput = bit(1);
    Settings.CodeHint = bit(2);
    Settings.CursorFollow = bit(3);
    Settings.SemicolonQuoteKeys = bit(4);
    Settings.CommaPeriodKeys = bit(5);
    Settings.ProgressiveHint = bit(6);
    Settings.LeftShiftSwitch = bit(7);
    Settings.RightShiftSwitch = bit(8);
    // GBK mode is rare in use; a quarter of the inputs are enough.
    Settings.GbkMode = bit(9) & bit(10);
    Settings.CodeSet = bit(11) | bit(12) ? kCodeSetPrimary : kCodeSetSecondary;
    Settings.AutoFrequency = bit(13);
    Settings.CommaPeriodPaging = bit(14);
    Settings.SkinIndex = static_cast<std::int32_t>((word >> 15) & 7) % (kSkinCount + 1);
    SetMode(ChinesePunctuation, bit(18) != 0);
    SetMode(FullWidth, bit(19) != 0);
    OnlineWord.OnlineWordActive = bit(20);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(2000 + ((word >> 21) & 31));
    time.wMonth = static_cast<WORD>(1 + ((word >> 26) & 7) + bit(29) * 4);
    time.wDay = static_cast<WORD>(1 + ((word >> 21) & 15) * 2);
    time.wHour = static_cast<WORD>((word >> 24) & 15) + bit(30) * 8;
    time.wMinute = static_cast<WORD>((word >> 16) % 60);
    time.wDayOfWeek = static_cast<WORD>(word % 7);
    HostSetLocalTime(&time);
}

void StartRun(const std::uint8_t* data) {
    const TablesLeft left = TablesLeftByLastInput();
    ResetProcessState();
    ApplySettings(data);
    if (fixedCodeSet >= 0) {
        Settings.CodeSet = fixedCodeSet;
    }
    RestoreTables(left, Settings.CodeSet);
    if (checkRestore) {
        RequireFreshTables(Settings.CodeSet, LoadWithHandMadeEntries);
    }
    HostResetRecords();
    HostClearMessages();
}
