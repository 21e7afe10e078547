#include "engine/commit.h"

#include <cstring>

#include "dict/code_index.h"
#include "dict/group_index.h"
#include "dict/main_group_check.h"
#include "dict/main_table_block.h"
#include "engine/online_word_state.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "context/input_context.h"
#include "context/message_queue.h"
#include "engine/composition.h"
#include "engine/symbol_conversion.h"
#include "settings/settings.h"
#include "engine/mode_state.h"
#include "dict/tables.h"

namespace {

// At most what fits ResultText.
void SetResult(const char* text, std::size_t length) {
    const std::size_t kept = length < kMaxWordBytes ? length : kMaxWordBytes;
    std::memcpy(Conversion.ResultText, text, kept);
    Conversion.ResultText[kept] = '\0';
}

void Publish(HIMC context) {
    if (OnlineWord.OnlineWordActive != 0) {
        RecordCommittedText(Conversion.ResultText);
    }
    CommitResultText(context);
}

// The converted punctuation a new word is committed with; left alone for an association
// candidate, whose rest is committed without it (converting may turn a quote's toggle).
void ReadFollowText(unsigned follow, const char* chosen, char (&single)[2], CommitInput& input) {
    input.follow = "";
    input.followLength = 0;
    if (follow == 0 || ContinuesPrevious(chosen, Conversion.ResultText)) {
        return;
    }
    const char* symbol = ConvertSymbol(static_cast<std::uint16_t>(follow), IsModeOn(FullWidth),
                                       IsModeOn(ChinesePunctuation));
    if (symbol != nullptr) {
        input.follow = symbol;
        input.followLength = std::strlen(symbol);
    } else {
        single[0] = static_cast<char>(follow & 0xFF);
        input.follow = single;
        input.followLength = 1;
    }
}

void PublishCommit(HIMC context, const CommitResult& result) {
    if (!result.continuation) {
        std::memcpy(Conversion.SavedCode, result.savedCode, sizeof Conversion.SavedCode);
    }
    SetResult(result.text, result.textLength);
    Publish(context);
    if (result.continuation) {
        // The whole word is the next association's key.
        SetResult(result.wholeWord, result.wholeWordLength);
    }
}

void OfferAssociation(HIMC context, CANDIDATELIST* list, const char* key, unsigned follow) {
    if (key[0] == '\0' || Settings.WordAssociation == 0 || follow != 0 || Settings.GbkMode != 0) {
        return;
    }
    const std::optional<LookupOutcome> words = AssociationLookup(Conversion.SavedCode, key);
    Conversion.CandidateCount = kNoCandidates;
    if (!words || words->found.count == 0) {
        return;
    }
    Conversion.CandidatesOpen = 1;
    FillCandidateSlots(list, words->found);
    list->dwPageStart = kFirstCandidateSlot;
    list->dwCount = Conversion.CandidateCount;
    Conversion.AssociationShown = HasCandidates();
    // The association list is a composition of its own, opened before it is announced.
    QueueMessage(context, WM_IME_STARTCOMPOSITION, 0, 0);
    QueueCompositionNotifications(context, kCompositionStringFlag);
}

// An association candidate: a word longer than key that begins with it. False when the list
// byte limit, shared with the lookup, ends the scan.
bool TakeWordAfter(LookupOutcome& association, const DictEntry& entry, WordHead head,
                   const char* key, unsigned keyLength, unsigned keyHead, unsigned headMask) {
    const unsigned wordLength = HeadWordLength(head);
    if (wordLength <= keyLength || (HeadFirstBytes(head) & headMask) != (keyHead & headMask) ||
        std::memcmp(entry.word, key, keyLength) != 0) {
        return true;
    }
    association.listBytes += static_cast<std::int32_t>(wordLength + 1);
    if (association.listBytes >= kListTextSize) {
        return false;
    }
    CandidateItems& found = association.found;
    if (found.count < kMaxCandidates) {
        // As a lookup's words: read while the scan goes on.
        __builtin_prefetch(entry.word);
        found.items[found.count++] = {entry.word, nullptr, static_cast<std::uint8_t>(wordLength),
                                      0};
    }
    return true;
}

// User words first, then the words of the group, each in table order.
void FindWordsAfter(LookupOutcome& association, int ordinal, const char* key) {
    ReadyMainGroup(ordinal);
    const unsigned keyLength = static_cast<unsigned>(std::strlen(key));
    const unsigned keyHead = FirstTwoBytes(key);
    const unsigned headMask = keyLength >= 2 ? 0xFFFF : 0xFF;
    for (std::size_t i = 0; i < kUserTableCapacity && UserIndex.codes[i] != 0; ++i) {
        if (!TakeWordAfter(association, Tables.UserTable[i], UserIndex.heads[i], key, keyLength,
                           keyHead, headMask)) {
            return;
        }
    }
    if (keyLength >= 2) {
        // Only the words that begin with the key's first two bytes, in table order.
        const PositionRange range = MainEntriesByWordHead(ordinal, keyHead);
        for (const std::int32_t* p = range.begin; p < range.end; ++p) {
            if (!TakeWordAfter(association, Tables.MainTable[*p], MainIndex.heads[*p], key,
                               keyLength, keyHead, headMask)) {
                return;
            }
        }
        return;
    }
    const std::int32_t first =
        Tables.LetterStart[ordinal - 1] > 0 ? Tables.LetterStart[ordinal - 1] : 0;
    std::int32_t end = Tables.LetterStart[ordinal];
    if (end > static_cast<std::int32_t>(kMainTableCapacity)) {
        end = static_cast<std::int32_t>(kMainTableCapacity);
    }
    for (std::int32_t i = first; i < end && MainIndex.codes[i] != 0; ++i) {
        if (!TakeWordAfter(association, Tables.MainTable[i], MainIndex.heads[i], key, keyLength,
                           keyHead, headMask)) {
            return;
        }
    }
}

}  // namespace

std::optional<LookupOutcome> AssociationLookup(const char* code, const char* key) {
    // One object returned from every path, as in LookupCandidates.
    std::optional<LookupOutcome> result;
    const int ordinal = KeyOrdinal(static_cast<unsigned char>(code[0]), Settings.GbkMode != 0);
    if (ordinal == 0) {
        return result;
    }
    FindWordsAfter(result.emplace(), ordinal, key);
    return result;
}

void RecordCommittedText(const char* text) {
    std::size_t n = std::strlen(text);
    n -= n % 2;
    const std::size_t used = strnlen(OnlineWord.OnlineWordBuffer, kOnlineWordBufferSize - 1);
    if (used + n >= kOnlineWordBufferSize) {
        return;
    }
    std::memcpy(OnlineWord.OnlineWordBuffer + used, text, n);
    OnlineWord.OnlineWordBuffer[used + n] = '\0';
}

void CommitCandidate(HIMC context, unsigned selection, unsigned follow, unsigned offset,
                     CommitSource source) {
    if (selection < '0' || selection > '9') {
        return;
    }
    CandidateListAccess access(context);
    if (!access) {
        return;
    }
    CANDIDATELIST* list = access.list();
    const int slot =
        ChooseCandidateSlot({selection, offset, source, Conversion.VisibleCandidates,
                             Settings.ProgressiveHint != 0, list->dwPageStart, list->dwCount});
    char associationKey[kWordFieldSize] = "";
    if (slot != kNoCandidateSlot) {
        char chosen[kCandidateSlotSize];
        std::memcpy(chosen, CandidateSlot(list, slot), sizeof chosen);
        chosen[kMaxSlotBytes] = '\0';
        CommitInput input;
        input.chosen = chosen;
        input.previous = Conversion.ResultText;
        input.codeHint = Settings.CodeHint != 0;
        input.gbkMode = Settings.GbkMode != 0;
        char single[2] = "";
        ReadFollowText(follow, chosen, single, input);
        const CommitResult result = BuildCommitResult(input);
        PublishCommit(context, result);
        std::memcpy(associationKey, result.associationKey, sizeof associationKey);
    }
    Conversion.AssociationShown = 0;
    OfferAssociation(context, list, associationKey, follow);
}
