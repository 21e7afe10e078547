// Random key sequences with random settings through the character dispatch, on the shipped
// dictionaries with a few hand-made entries at their edges (the longest words, six-key codes,
// words with letters, spaces and separators in them, a lone lead byte, an empty word).
//
// Input: 5 bytes of settings, modes and the way keys arrive, then one byte per key: letters,
// digits, punctuation, space, 13, 14, Page Up and Page Down by scan code, and what the key entry
// and the candidate window do besides (space bar, Escape, Backspace, Ctrl+digit, page buttons, a
// window that drew fewer candidates). After every key the published state must hold together.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/online_word_state.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/lookup.h"
#include "engine/paging.h"
#include "engine/promotion.h"
#include "engine/run_time_state.h"
#include "ime/input_context.h"
#include "ime/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "ui/window_handles.h"

namespace {

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// ---------------------------------------------------------------------------------------------
// Dictionaries: the shipped files of both code sets, loaded once, with hand-made entries.

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

struct CodeSetTables {
    DictEntry main[kMainTableCapacity];
    DictEntry user[kUserTableCapacity];
    PackedCode mainCodes[kMainTableCapacity];
    WordHead mainHeads[kMainTableCapacity];
    PackedCode userCodes[kUserTableCapacity];
    WordHead userHeads[kUserTableCapacity];
    std::int32_t letterStart[kLetterStartCount];
};
CodeSetTables primary;
CodeSetTables secondary;
int tablesHold = -1;  // the code set whose pristine tables are in MainTable and UserTable

void Store(DictEntry& entry, const HandMade& made) {
    std::memset(&entry, 0, sizeof entry);
    std::strncpy(entry.code, made.code, kMaxCodeLength);
    std::strncpy(entry.word, made.word, kMaxWordBytes);
}

bool LoadCodeSet(int codeSet, CodeSetTables& tables) {
    Settings.CodeSet = codeSet;
    if (LoadDictionaries(true, true) != 1) {
        return false;
    }
    std::memcpy(tables.main, MainTable, sizeof MainTable);
    std::memcpy(tables.user, UserTable, sizeof UserTable);
    std::memcpy(tables.letterStart, LetterStart, sizeof LetterStart);
    std::size_t used = 0;
    while (used < kUserTableCapacity && !IsEmptyEntry(tables.user[used])) {
        ++used;
    }
    for (const HandMade& made : kUserWords) {
        Store(tables.user[used++], made);
    }
    for (const HandMade& made : kMainWords) {
        const int group = GroupOrdinal(static_cast<unsigned char>(made.code[0]));
        Store(tables.main[tables.letterStart[group - 1]], made);
    }
    // The indexes as a load makes them, kept to be copied back with the tables.
    std::memcpy(MainTable, tables.main, sizeof MainTable);
    std::memcpy(UserTable, tables.user, sizeof UserTable);
    RebuildCodeIndexes();
    std::memcpy(tables.mainCodes, MainIndex.codes, sizeof tables.mainCodes);
    std::memcpy(tables.mainHeads, MainIndex.heads, sizeof tables.mainHeads);
    std::memcpy(tables.userCodes, UserIndex.codes, sizeof tables.userCodes);
    std::memcpy(tables.userHeads, UserIndex.heads, sizeof tables.userHeads);
    return true;
}

void UseTables(int codeSet) {
    if (tablesHold == codeSet && !MainTableModified) {
        return;
    }
    const CodeSetTables& tables = codeSet == kCodeSetPrimary ? primary : secondary;
    std::memcpy(MainTable, tables.main, sizeof MainTable);
    std::memcpy(UserTable, tables.user, sizeof UserTable);
    std::memcpy(LetterStart, tables.letterStart, sizeof LetterStart);
    std::memcpy(MainIndex.codes, tables.mainCodes, sizeof tables.mainCodes);
    std::memcpy(MainIndex.heads, tables.mainHeads, sizeof tables.mainHeads);
    std::memcpy(UserIndex.codes, tables.userCodes, sizeof tables.userCodes);
    std::memcpy(UserIndex.heads, tables.userHeads, sizeof tables.userHeads);
    MainTableModified = false;
    tablesHold = codeSet;
}

// ---------------------------------------------------------------------------------------------
// Keys.

struct MessageList {
    TRANSMSGLIST list;
    TRANSMSG more[63];
};

constexpr char kPunctuation[] = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

enum Operation : unsigned char {
    kCharacter,
    kSpaceBar,
    kEscape,
    kBackspace,
    kCtrlDigit,
    kFirstPageButton,
    kLastPageButton,
    kPageUpButton,
    kPageDownButton,
    kWindowDrew,
};

struct Key {
    Operation operation;
    unsigned character;
    unsigned scan;
};

Key Decode(std::uint8_t byte) {
    if (byte < 130) {
        return {kCharacter, static_cast<unsigned>('a' + byte % 26), 0};
    }
    if (byte < 150) {
        return {kCharacter, static_cast<unsigned>('0' + byte % 10), 0};
    }
    if (byte < 150 + sizeof kPunctuation - 1) {
        return {kCharacter, static_cast<unsigned char>(kPunctuation[byte - 150]), 0};
    }
    switch (byte) {
        case 183:
            return {kCharacter, 13, 0};
        case 184:
            return {kCharacter, 14, 0};
        case 185:
            return {kCharacter, 0, kPageUpScan};
        case 186:
            return {kCharacter, 0, kPageDownScan};
        case 187:
            return {kFirstPageButton, 0, 0};
        case 188:
            return {kLastPageButton, 0, 0};
        case 189:
            return {kPageUpButton, 0, 0};
        case 190:
            return {kPageDownButton, 0, 0};
        default:
            break;
    }
    if (byte < 210) {
        return {kSpaceBar, 0, 0};
    }
    if (byte < 220) {
        return {kEscape, 0, 0};
    }
    if (byte < 230) {
        return {kBackspace, 0, 0};
    }
    if (byte < 240) {
        return {kCtrlDigit, static_cast<unsigned>('0' + byte % 10), 0};
    }
    // The candidate window drew 1 to 10 candidates of the page.
    if (byte < 250) {
        return {kWindowDrew, static_cast<unsigned>(byte - 240 + 1), 0};
    }
    // Bytes the key entry passes on untouched (control characters, GBK halves).
    return {kCharacter, static_cast<unsigned>(byte == 255 ? 0xB0 : byte - 250 + 1), 0};
}

// The key entry drops a code that found nothing before the next key other than Backspace (and
// then handles that key afresh); raw sequences skip that, to reach states it would avoid.
bool keyEntryDropsDeadCodes = true;

void Press(HIMC context, const Key& key) {
    if (keyEntryDropsDeadCodes && key.operation != kBackspace && CodeLength > 0 &&
        CandidateCount == kFirstCandidateSlot) {
        EditCode(context, 0, Clear, true);
        CandidateCount = kFirstCandidateSlot;
        CandidatesOpen = 0;
    }
    switch (key.operation) {
        case kCharacter:
            ProcessCharacter(context, key.character, key.scan);
            break;
        case kSpaceBar:
            if (CandidateCount > kFirstCandidateSlot) {
                CandidateCount = kFirstCandidateSlot;
                CandidatesOpen = 0;
                CommitFirstCandidate(context);
                EditCode(context, ' ', Clear, true);
            } else {
                CommitCharacter(context, ' ');
            }
            break;
        case kEscape:
            EditCode(context, 0x1B, Clear, true);
            CandidateCount = kFirstCandidateSlot;
            CandidatesOpen = 0;
            break;
        case kBackspace:
            DeleteLastKey(context, 8);
            break;
        case kCtrlDigit:
            // Manual frequency: the key entry passes Ctrl+digit on only when it is not automatic.
            if (Settings.AutoFrequency == 0) {
                PromoteCandidate(context, key.character);
            }
            break;
        case kFirstPageButton:
            FirstPage(context);
            break;
        case kLastPageButton:
            LastPage(context);
            break;
        case kPageUpButton:
            PageUp(context);
            break;
        case kPageDownButton:
            PageDown(context);
            break;
        case kWindowDrew: {
            ContextLock locked(context);
            CandInfoLock info(locked ? locked->hCandInfo : nullptr);
            if (info) {
                CandidateListOf(info.get())->dwPageSize = key.character;
                VisibleCandidates = static_cast<std::int32_t>(key.character);
            }
            break;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// What must hold after every key.

void CheckState(HIMC context) {
    Require(CandidateCount >= kFirstCandidateSlot && CandidateCount <= kMaxCandidateCount,
            "CandidateCount in 2..99");
    Require(CodeLength <= kMaxCodeLength, "CodeLength at most 6");
    Require(strnlen(CodeBuffer, kCodeFieldSize) == CodeLength,
            "CodeBuffer NUL-terminated at CodeLength");
    Require(std::memchr(ResultText, '\0', kWordFieldSize) != nullptr, "ResultText NUL-terminated");

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
    Require(std::memchr(CompositionText(comp), '\0', kCompStrAreaSize) != nullptr,
            "composition string NUL-terminated within its area");
    CANDIDATELIST* list = CandidateListOf(info);
    for (int slot = kFirstCandidateSlot; slot < CandidateCount; ++slot) {
        Require(std::memchr(CandidateSlot(list, slot), '\0', kCandidateSlotSize) != nullptr,
                "candidate slot NUL-terminated within its 100 bytes");
    }
    if (CandidatesOpen != 0) {
        Require(list->dwCount == CandidateCount, "dwCount is CandidateCount while open");
    }
    ImmUnlockIMCC(data->hCandInfo);
    ImmUnlockIMCC(data->hCompStr);
    ImmUnlockIMC(context);
}

// ---------------------------------------------------------------------------------------------

constexpr std::size_t kHeaderSize = 5;

// Bytes 0..3: the settings, the modes and the clock; byte 4: how keys arrive.
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
    OnlineWordActive = bit(20);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(2000 + ((word >> 21) & 31));
    time.wMonth = static_cast<WORD>(1 + ((word >> 26) & 7) + bit(29) * 4);
    time.wDay = static_cast<WORD>(1 + ((word >> 21) & 15) * 2);
    time.wHour = static_cast<WORD>((word >> 24) & 15) + bit(30) * 8;
    time.wMinute = static_cast<WORD>((word >> 16) % 60);
    time.wDayOfWeek = static_cast<WORD>(word % 7);
    HostSetLocalTime(&time);
    keyEntryDropsDeadCodes = (bits[4] & 4) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    HostSetSystemDirectory(ZELK_SOURCE_DIR "/data");
    DecodeSettings(kInstalledDefaults, Settings);
    if (!LoadCodeSet(kCodeSetSecondary, secondary) || !LoadCodeSet(kCodeSetPrimary, primary)) {
        std::fprintf(stderr, "the shipped dictionaries cannot be read\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderSize) {
        return 0;
    }
    ResetRunTimeState();
    ResetConversionState();
    ResetSymbolModeState();
    ResetWindowHandles();
    std::memset(SavedCode, 0, sizeof SavedCode);
    OnlineWordBuffer[0] = '\0';
    ApplySettings(data);
    UseTables(Settings.CodeSet);
    HostResetRecords();
    HostClearMessages();

    HWND owner = HostCreateWindow();
    HIMC context = HostCreateInputContext();
    HostSetContextOwner(context, owner);
    InitCompositionString(context);
    INPUTCONTEXT* record = ImmLockIMC(context);
    ShapeSelectedCandidateInfo(record);
    ImmUnlockIMC(context);

    // Keys inside a message list as ImeToAsciiEx passes them, with room for all messages or
    // too little; or outside any call, each message through the message buffer.
    MessageList messages{};
    const unsigned listChoice = data[4] & 3;
    const bool inCall = listChoice != 0;
    messages.list.uMsgCount = listChoice == 1 ? 4 : 64;

    for (std::size_t i = kHeaderSize; i < size; ++i) {
        if (inCall) {
            BeginMessageList(&messages.list);
        }
        Press(context, Decode(data[i]));
        if (inCall) {
            const UINT count = FinishMessageList(context);
            HostDeliverTranslatedMessages(context, &messages.list, count);
        }
        CheckState(context);
    }

    HostDestroyInputContext(context);
    HostDestroyWindow(owner);
    HostSetLocalTime(nullptr);
    return 0;
}
