#include "engine/commit.h"

#include <cstring>

#include "dict/code_index.h"
#include "dict/group_index.h"
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

bool IsCodeLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == ';' || c == '/';
}

// Appends at most what still fits ResultText.
void AppendToResult(const char* text, std::size_t length) {
    const std::size_t used = std::strlen(Conversion.ResultText);
    const std::size_t room = kMaxWordBytes - used;
    const std::size_t kept = length < room ? length : room;
    std::memcpy(Conversion.ResultText + used, text, kept);
    Conversion.ResultText[used + kept] = '\0';
}

void SetResult(const char* text, std::size_t length) {
    Conversion.ResultText[0] = '\0';
    AppendToResult(text, length);
}

void Publish(HIMC context) {
    if (OnlineWord.OnlineWordActive != 0) {
        RecordCommittedText(Conversion.ResultText);
    }
    CommitResultText(context);
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

std::size_t WordPartLength(const char* candidate) {
    std::size_t i = 0;
    while (candidate[i] != '\0' && !IsCodeLetter(static_cast<unsigned char>(candidate[i]))) {
        // A double-byte character is never cut: its trail byte may look like a letter.
        i += static_cast<unsigned char>(candidate[i]) >= 0x81 && candidate[i + 1] != '\0' ? 2 : 1;
    }
    return i;
}

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
    char associationKey[kWordFieldSize] = "";
    CandidateListAccess access(context);
    if (!access) {
        return;
    }
    CANDIDATELIST* list = access.list();

    unsigned index = (selection == '0' ? 9u : selection - '1') + (offset & 0xFFFF);
    const bool visible = source == CommitSource::Automatic ||
                         static_cast<std::int32_t>(index) < Conversion.VisibleCandidates ||
                         Settings.ProgressiveHint == 0;
    index += list->dwPageStart;
    if (visible && list->dwCount != 0 && index < list->dwCount && index < kCandidateSlotCount) {
        char chosen[kCandidateSlotSize];
        std::memcpy(chosen, CandidateSlot(list, static_cast<int>(index)), sizeof chosen);
        chosen[kMaxSlotBytes] = '\0';
        const std::size_t wordPart = WordPartLength(chosen);
        if (Settings.GbkMode == 0) {
            std::memcpy(associationKey, chosen, wordPart);
            associationKey[wordPart] = '\0';
        }
        const std::size_t previous = std::strlen(Conversion.ResultText);
        if (std::strncmp(chosen, Conversion.ResultText, previous) == 0) {
            // An association candidate: only its rest is new; the whole word is the next key.
            SetResult(chosen + previous, std::strlen(chosen) - previous);
            Publish(context);
            SetResult(chosen, std::strlen(chosen));
        } else {
            std::memset(Conversion.SavedCode, 0, sizeof Conversion.SavedCode);
            std::memcpy(Conversion.SavedCode, Conversion.ResultText,
                        strnlen(Conversion.ResultText, kMaxCodeLength));
            std::size_t keep = std::strlen(chosen);
            if (Settings.CodeHint != 0) {
                keep = Settings.GbkMode != 0 ? (keep < 2 ? keep : 2) : wordPart;
            }
            SetResult(chosen, keep);
            if (follow != 0) {
                const char* symbol =
                    ConvertSymbol(static_cast<std::uint16_t>(follow), IsModeOn(FullWidth),
                                  IsModeOn(ChinesePunctuation));
                const char single = static_cast<char>(follow & 0xFF);
                if (symbol != nullptr) {
                    AppendToResult(symbol, std::strlen(symbol));
                } else {
                    AppendToResult(&single, 1);
                }
            }
            Publish(context);
        }
    }
    Conversion.AssociationShown = 0;

    if (associationKey[0] == '\0' || Settings.WordAssociation == 0 || follow != 0 ||
        Settings.GbkMode != 0) {
        return;
    }
    const std::optional<LookupOutcome> words =
        AssociationLookup(Conversion.SavedCode, associationKey);
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
