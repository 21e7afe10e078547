#include "engine/lookup.h"

#include <cstring>

#include "dict/char_code_table.h"
#include "dict/code_index.h"
#include "dict/gbk_extension_index.h"
#include "dict/group_index.h"
#include "dict/main_group_check.h"
#include "dict/main_table_block.h"
#include "engine/composition.h"
#include "engine/special_codes.h"
#include "context/message_queue.h"
#include "context/input_context.h"
#include "settings/settings.h"
#include "engine/window_state.h"
#include "engine/conversion_state.h"
#include "engine/ui_sink.h"
#include "dict/tables.h"

namespace {

// The three runs of candidates as the scans meet them; they are joined in list order at the end.
// Only as many as the slots can show are kept; the rest is counted in the outcome's listBytes
// alone.
struct Run {
    CandidateItem items[kMaxCandidates];
    int count = 0;
};

// One lookup in progress: the outcome it builds and what the scans found so far.
struct Scan {
    // The runs are filled before they are read: nothing but their counts starts at zero.
    explicit Scan(LookupOutcome& building) : outcome(building) {}
    LookupOutcome& outcome;
    Run exact;
    Run user;
    Run longer;
    CandidateItem special;
    bool specialFound = false;
    int exactRecorded = 0;
};

// The byte limit of the list text: an item adds its text, hint and separator. Returns false when
// the item does not fit; the scan in progress then stops.
bool AccountItem(Scan& scan, unsigned textLength, unsigned hintLength) {
    scan.outcome.listBytes += static_cast<std::int32_t>(textLength + hintLength + 1);
    return scan.outcome.listBytes < kListTextSize;
}

void Keep(Run& run, const char* text, unsigned textLength, const char* hint, unsigned hintLength) {
    if (run.count < kMaxCandidates) {
        // The words lie far apart in the table: their reads overlap the rest of the scan.
        __builtin_prefetch(text);
        run.items[run.count++] = {text, hint, static_cast<std::uint8_t>(textLength),
                                  static_cast<std::uint8_t>(hintLength)};
    }
}

unsigned HintLength(unsigned codeLength, unsigned typedLength) {
    return Settings.CodeHint != 0 && codeLength > typedLength ? codeLength - typedLength : 0;
}

void ScanGbkExtension(Scan& scan, const char* typed, unsigned length) {
    static std::uint16_t matches[kGbkExtensionCount];
    const std::size_t count = GbkExtensionMatches(Settings.CodeSet, typed, length, matches);
    for (std::size_t m = 0; m < count; ++m) {
        const CharCodeRecord& record = GbkExtensionCodes[matches[m]];
        const char* code = Settings.CodeSet == kCodeSetPrimary ? record.primary : record.secondary;
        const unsigned codeLength = static_cast<unsigned>(strnlen(code, sizeof record.primary));
        if (codeLength > length) {
            scan.outcome.codeComplete = false;
        }
        const unsigned hint = HintLength(codeLength, length);
        if (!AccountItem(scan, 2, hint)) {
            return;
        }
        Keep(scan.longer, reinterpret_cast<const char*>(record.character), 2, code + length, hint);
    }
}

void ScanUserWords(Scan& scan, const CodePrefix& prefix) {
    for (std::size_t i = 0; i < kUserTableCapacity; ++i) {
        const PackedCode packed = UserIndex.codes[i];
        if (packed == 0) {
            return;
        }
        if (!BeginsWith(packed, prefix)) {
            continue;
        }
        const unsigned codeLength = PackedCodeLength(packed);
        if (codeLength > prefix.length) {
            scan.outcome.codeComplete = false;
        }
        const unsigned hint = HintLength(codeLength, prefix.length);
        if (!AccountItem(scan, PackedWordLength(packed), hint)) {
            return;
        }
        Keep(scan.user, Tables.UserTable[i].word, PackedWordLength(packed),
             Tables.UserTable[i].code + prefix.length, hint);
    }
}

// One main-table entry whose code begins with the typed code. False when the byte limit ends
// the scan.
bool TakeMainMatch(Scan& scan, std::int32_t i, PackedCode packed, const CodePrefix& prefix) {
    const unsigned wordLength = PackedWordLength(packed);
    if (Settings.PhraseInput == 0 && wordLength > 2) {
        return true;
    }
    LookupOutcome& outcome = scan.outcome;
    const unsigned codeLength = PackedCodeLength(packed);
    if (codeLength == prefix.length) {
        if (!AccountItem(scan, wordLength, 0)) {
            return false;
        }
        Keep(scan.exact, Tables.MainTable[i].word, wordLength, nullptr, 0);
        if (scan.exactRecorded < kExactIndexSize - 1) {
            outcome.exactIndex[scan.exactRecorded++] = i + 1;
            outcome.exactIndex[scan.exactRecorded] = 0;
        }
        return true;
    }
    outcome.codeComplete = false;
    const unsigned hint = HintLength(codeLength, prefix.length);
    if (!AccountItem(scan, wordLength, hint)) {
        return false;
    }
    Keep(scan.longer, Tables.MainTable[i].word, wordLength,
         Tables.MainTable[i].code + prefix.length, hint);
    return true;
}

void ScanMainGroup(Scan& scan, int ordinal, const CodePrefix& prefix) {
    ReadyMainGroup(ordinal);
    if (prefix.length >= 2) {
        // Only entries with the same second key can match, and they come in table order.
        const PositionRange range =
            MainEntriesBySecondKey(ordinal, static_cast<unsigned char>(prefix.typed >> 8));
        for (const std::int32_t* p = range.begin; p < range.end; ++p) {
            const PackedCode packed = MainIndex.codes[*p];
            if (BeginsWith(packed, prefix) && !TakeMainMatch(scan, *p, packed, prefix)) {
                return;
            }
        }
        return;
    }
    const std::int32_t first = Tables.LetterStart[ordinal - 1];
    const std::int32_t end = Tables.LetterStart[ordinal];
    for (std::int32_t i = first < 0 ? 0 : first;
         i < end && static_cast<std::size_t>(i) < kMainTableCapacity; ++i) {
        const PackedCode packed = MainIndex.codes[i];
        if (packed == 0) {
            return;
        }
        if (BeginsWith(packed, prefix) && !TakeMainMatch(scan, i, packed, prefix)) {
            return;
        }
    }
}

void FindSpecialCandidate(Scan& scan, const char* code, unsigned length) {
    if (MakeSpecialEntry(code) == 0) {
        return;
    }
    SpecialEntry.code[4] = '\0';
    const unsigned specialLength = static_cast<unsigned>(std::strlen(SpecialEntry.code));
    if (specialLength < length || std::memcmp(SpecialEntry.code + 1, code + 1, length - 1) != 0) {
        return;
    }
    if (specialLength > length) {
        scan.outcome.codeComplete = false;
    }
    const unsigned textLength = static_cast<unsigned>(std::strlen(SpecialEntry.word));
    const unsigned hint = HintLength(specialLength, length);
    if (!AccountItem(scan, textLength, hint)) {
        return;
    }
    scan.special = {SpecialEntry.word, SpecialEntry.code + length,
                    static_cast<std::uint8_t>(textLength), static_cast<std::uint8_t>(hint)};
    scan.specialFound = true;
}

// A one-key code matches most of its group, and the same first keys come back all the time: the
// scans' outcome is kept per first key while the tables and the options it depends on stay.
struct FirstKeyScan {
    Run exact;
    Run user;
    Run longer;
    std::int32_t listBytes;
    bool codeComplete;
    int exactRecorded;
    std::int32_t exactIndex[kExactIndexSize];
    std::uint32_t generation;
    std::int32_t phraseInput;
    std::int32_t codeHint;
    bool valid;
};
FirstKeyScan firstKeyScans[kLetterStartCount];

void CopyRun(Run& to, const Run& from) {
    to.count = from.count;
    std::memcpy(to.items, from.items, sizeof(CandidateItem) * static_cast<std::size_t>(from.count));
}

void ScanFirstKeyThroughCache(Scan& scan, int ordinal, const CodePrefix& prefix) {
    LookupOutcome& outcome = scan.outcome;
    FirstKeyScan& kept = firstKeyScans[ordinal];
    if (kept.valid && kept.generation == TableGeneration &&
        kept.phraseInput == Settings.PhraseInput && kept.codeHint == Settings.CodeHint) {
        CopyRun(scan.exact, kept.exact);
        CopyRun(scan.user, kept.user);
        CopyRun(scan.longer, kept.longer);
        outcome.listBytes = kept.listBytes;
        outcome.codeComplete = kept.codeComplete;
        scan.exactRecorded = kept.exactRecorded;
        std::memcpy(outcome.exactIndex, kept.exactIndex,
                    sizeof(std::int32_t) * (scan.exactRecorded + 1));
        return;
    }
    ScanUserWords(scan, prefix);
    ScanMainGroup(scan, ordinal, prefix);
    CopyRun(kept.exact, scan.exact);
    CopyRun(kept.user, scan.user);
    CopyRun(kept.longer, scan.longer);
    kept.listBytes = outcome.listBytes;
    kept.codeComplete = outcome.codeComplete;
    kept.exactRecorded = scan.exactRecorded;
    std::memcpy(kept.exactIndex, outcome.exactIndex,
                sizeof(std::int32_t) * (scan.exactRecorded + 1));
    kept.generation = TableGeneration;
    kept.phraseInput = Settings.PhraseInput;
    kept.codeHint = Settings.CodeHint;
    kept.valid = true;
}

// The entries of an exact index up to and including its terminating 0.
std::size_t ExactIndexLength(const std::int32_t* index) {
    std::size_t n = 0;
    while (n < kExactIndexSize - 1 && index[n] != 0) {
        ++n;
    }
    return n + 1;
}

void Join(CandidateItems& found, const Run& run) {
    for (int k = 0; k < run.count && found.count < kMaxCandidates; ++k) {
        found.items[found.count++] = run.items[k];
    }
}

}  // namespace

std::optional<LookupOutcome> LookupCandidates(const char* code) {
    // One object returned from every path: the caller's copy is built in place.
    std::optional<LookupOutcome> result;
    const int ordinal = KeyOrdinal(static_cast<unsigned char>(code[0]), Settings.GbkMode != 0);
    if (ordinal == 0) {
        return result;
    }
    LookupOutcome& outcome = result.emplace();
    outcome.codeComplete = true;
    Scan scan(outcome);
    const CodePrefix prefix = MakeCodePrefix(code);

    if (Settings.GbkMode != 0) {
        ScanGbkExtension(scan, code, prefix.length);
        Join(outcome.found, scan.longer);
        return result;
    }
    if (prefix.length == 1) {
        ScanFirstKeyThroughCache(scan, ordinal, prefix);
    } else {
        ScanUserWords(scan, prefix);
        ScanMainGroup(scan, ordinal, prefix);
    }
    FindSpecialCandidate(scan, code, prefix.length);

    Join(outcome.found, scan.exact);
    if (scan.specialFound && outcome.found.count < kMaxCandidates) {
        outcome.found.items[outcome.found.count++] = scan.special;
    }
    Join(outcome.found, scan.user);
    Join(outcome.found, scan.longer);
    // A list text of one empty item is shorter than two bytes and gives no candidate.
    if (outcome.listBytes < 2) {
        outcome.found.count = 0;
    }
    return result;
}

void FillCandidateSlots(CANDIDATELIST* list, const CandidateItems& items) {
    for (int k = 0; k < items.count && Conversion.CandidateCount < kMaxCandidateCount; ++k) {
        const CandidateItem& item = items.items[k];
        const unsigned hint = item.hintLength <= kMaxCodeLength ? item.hintLength : 0;
        const unsigned total = item.textLength + hint;
        if (total <= kMaxSlotBytes) {
            char* slot = CandidateSlot(list, Conversion.CandidateCount);
            std::memcpy(slot, item.text, item.textLength);
            if (hint != 0) {
                std::memcpy(slot + item.textLength, item.hint, hint);
            }
            slot[total] = '\0';
        } else {
            // Too long for a slot: cut where a whole character ends.
            char text[kMaxSlotBytes + kMaxCodeLength + 1];
            std::memcpy(text, item.text, item.textLength);
            if (hint != 0) {
                std::memcpy(text + item.textLength, item.hint, hint);
            }
            SetCandidateSlot(list, Conversion.CandidateCount, text, total);
        }
        ++Conversion.CandidateCount;
    }
}

void QueueCompositionNotifications(HIMC context, LPARAM compositionFlags) {
    QueueMessage(context, WM_IME_COMPOSITION, 0, compositionFlags);
    QueueMessage(context, WM_IME_NOTIFY, IMN_OPENCANDIDATE, 1);
    QueueMessage(context, WM_IME_NOTIFY, IMN_CHANGECANDIDATE, 1);
}

namespace {

// The composition string follows the code: one byte per key, attributes 1.
void AppendToComposition(COMPOSITIONSTRING* comp, char key) {
    DWORD cursor = comp->dwCursorPos < kMaxCodeLength ? comp->dwCursorPos : kMaxCodeLength;
    char* reading = CompositionText(comp);
    reading[cursor] = key;
    reading[cursor + 1] = '\0';
    BYTE* attributes = CompositionAttributes(comp);
    attributes[cursor] = 1;
    attributes[cursor + 1] = 1;
    if (comp->dwCompReadStrLen <= cursor) {
        comp->dwCompReadStrLen += 1;
    }
    comp->dwCompStrLen = comp->dwCompReadStrLen;
    comp->dwCompReadAttrLen = comp->dwCompReadStrLen;
    comp->dwCompAttrLen = comp->dwCompReadStrLen;
    comp->dwDeltaStart = cursor;
    comp->dwCursorPos = comp->dwCompStrLen;
    Conversion.CodeBuffer[Conversion.CodeLength] = key;
    Conversion.CodeBuffer[Conversion.CodeLength + 1] = '\0';
    ++Conversion.CodeLength;
}

void SetCompositionLength(COMPOSITIONSTRING* comp, DWORD length) {
    comp->dwCursorPos = length;
    comp->dwDeltaStart = length;
    comp->dwCompStrLen = length;
    comp->dwCompReadStrLen = length;
    comp->dwCompReadAttrLen = length;
    comp->dwCompAttrLen = length;
}

void AppendKey(COMPOSITIONSTRING* comp, unsigned key) {
    // A code never outgrows its buffer, whatever the caller sends.
    if (Conversion.CodeLength < kMaxCodeLength) {
        AppendToComposition(comp, static_cast<char>(key & 0xFF));
    }
}

// False when no key is left to look up: the composition is then cancelled instead.
bool DeleteLastKeyOfCode(HIMC context, COMPOSITIONSTRING* comp) {
    if (Conversion.CodeLength == 0) {
        CancelComposition(context);
        Conversion.CandidatesOpen = 0;
        return false;
    }
    SetCompositionLength(comp, comp->dwCursorPos > 0 ? comp->dwCursorPos - 1 : 0);
    Conversion.CodeBuffer[--Conversion.CodeLength] = '\0';
    if (Conversion.CodeLength == 0) {
        Conversion.CandidateCount = kNoCandidates;
        Conversion.CandidatesOpen = 0;
        CancelComposition(context);
        return false;
    }
    return true;
}

void ClearKeys(COMPOSITIONSTRING* comp) {
    SetCompositionLength(comp, 0);
    Conversion.CodeLength = 0;
    Conversion.CodeBuffer[0] = '\0';
}

// The list on its first page, filled from a lookup of the code. Returns whether no candidate has
// a longer code.
bool FillListFromLookup(CANDIDATELIST* list) {
    list->dwPageStart = kFirstCandidateSlot;
    list->dwPageSize = kCandidatePageSize;
    list->dwSelection = 0;
    std::memcpy(Conversion.ResultText, Conversion.CodeBuffer, sizeof Conversion.CodeBuffer);
    Conversion.CandidateCount = kNoCandidates;
    Conversion.AssociationShown = 0;
    char code[kCodeFieldSize];
    std::memcpy(code, Conversion.CodeBuffer, sizeof code);
    // Without a lookup no candidate is listed, and whether the code is complete is moot.
    bool codeComplete = false;
    if (const std::optional<LookupOutcome> found = LookupCandidates(code)) {
        codeComplete = found->codeComplete;
        Conversion.CodeComplete = found->codeComplete ? 1 : 0;
        std::memcpy(Conversion.ExactIndex, found->exactIndex,
                    sizeof(std::int32_t) * ExactIndexLength(found->exactIndex));
        FillCandidateSlots(list, found->found);
    }
    return codeComplete;
}

// Offers the filled list. True when its one candidate completes the code: the caller commits it
// at once, so neither a beep nor the window is wanted.
bool OfferCandidates(CANDIDATELIST* list, bool codeComplete) {
    const int candidates = CandidatesInList();
    if (candidates == 1 && codeComplete) {
        Conversion.CandidatesOpen = 1;
        list->dwCount = Conversion.CandidateCount;
        return true;
    }
    Conversion.CandidatesOpen = candidates > 0;
    // Nothing found, or a complete code that still leaves a choice.
    if (candidates == 0 || (codeComplete && candidates >= 2)) {
        MessageBeep(kSimpleBeep);
    }
    list->dwCount = Conversion.CandidateCount;
    Conversion.VisibleCandidates = candidates > 0 ? kCandidatePageSize : 0;
    return false;
}

}  // namespace

int EditCode(HIMC context, unsigned key, EditMode mode, bool notify) {
    ConversionAccess access(context);
    if (!access) {
        return 0;
    }
    bool lookUp = true;
    switch (mode) {
        case Append:
            AppendKey(access.comp(), key);
            break;
        case DeleteLast:
            lookUp = DeleteLastKeyOfCode(context, access.comp());
            break;
        case Clear:
            ClearKeys(access.comp());
            lookUp = false;
            break;
        case Refresh:
            break;
    }
    bool uniqueComplete = false;
    if (lookUp) {
        CANDIDATELIST* list = access.list();
        uniqueComplete = OfferCandidates(list, FillListFromLookup(list));
    }

    if (notify) {
        QueueCompositionNotifications(context, kAllCompositionFlags);
    }
    TellUi(UiChange::Conversion);
    return uniqueComplete ? 0 : 1;
}

void DiscardCode(HIMC context) {
    EditCode(context, 0, Clear, true);
    DropCandidates();
    QueueMessage(context, WM_IME_ENDCOMPOSITION, 0, 0);
}
