// Turning the typed code into its ordered candidates, and EditCode, the one place where the code
// changes and the candidate list of the input context is rebuilt.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/conversion_state.h"
#include "platform/win32.h"

// One candidate as a lookup found it: its text and the code keys still to type for it (the hint,
// empty unless code hints are on). Both point into the tables or the special entry.
struct CandidateItem {
    const char* text;
    const char* hint;
    std::uint8_t textLength;
    std::uint8_t hintLength;
};

// Candidates in list order, as many as the slots can hold.
struct CandidateItems {
    CandidateItem items[kMaxCandidates];
    int count;
};

// The text of all the candidates of one list, each item with its separator, is limited to this
// many bytes; reaching it ends the scans early.
constexpr int kListTextSize = 10240;

// What a lookup found.
struct LookupOutcome {
    CandidateItems found;
    // Bytes of the list text of every match, shown or not.
    std::int32_t listBytes;
    // No match has a longer code than the typed one.
    bool codeComplete;
    // MainTable index + 1 of each exact main-table match, in list order, then 0.
    std::int32_t exactIndex[kExactIndexSize];
};

// Looks the code (1 to 6 keys) up. Normal mode: exact main-table matches in table order, the
// special candidate, user words, longer main-table matches; GBK mode: the rare characters whose
// code begins with the typed one. Nothing when the first key starts no group. The items point into
// the tables or the special entry, as CandidateItem says.
std::optional<LookupOutcome> LookupCandidates(const char* code);

enum EditMode : std::uint16_t {
    Refresh = 0,
    Append = 1,
    DeleteLast = 2,
    Clear = 3,
};

// Edits the code, looks it up, fills the slots and decides. Returns 0 when the context cannot be
// locked or when a single candidate completes the code (the caller commits it at once), else 1.
int EditCode(HIMC context, unsigned key, EditMode mode, bool notify);

// The typed code dropped (with the notifications that show it gone), no candidates on offer, and
// the composition ended.
void DiscardCode(HIMC context);

// Stores the items in slots from kFirstCandidateSlot on, each cut to fit its slot at a character
// boundary, while CandidateCount is below kMaxCandidateCount.
void FillCandidateSlots(CANDIDATELIST* list, const CandidateItems& items);

// What a composition message says changed: everything of the code (an edited code), or only the
// composition string (a page turned, an association list shown).
constexpr LPARAM kAllCompositionFlags =
    0x1BF;  // GCS_COMPREAD* | GCS_COMP* | CURSORPOS | DELTASTART
constexpr LPARAM kCompositionStringFlag = 0x8;  // GCS_COMPSTR
// The simple beep of boundaries and empty results.
constexpr UINT kSimpleBeep = 0xFFFFFFFF;

// The three notifications that make the application and the UI show the changed code and list.
void QueueCompositionNotifications(HIMC context, LPARAM compositionFlags);
