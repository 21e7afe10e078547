// The rules that decide what a translated character does to the code and the candidate list.
// The first rule that applies takes the character: their order is the behaviour.
#pragma once

// Scan codes of Page Up and Page Down as the system delivers them (extended keys).
constexpr unsigned kPageUpScan = 0x149;
constexpr unsigned kPageDownScan = 0x151;
constexpr unsigned char kCtrlN = 14;

// Everything the rules look at, read before any of them acts.
struct CharacterFacts {
    unsigned char character;
    unsigned scan;
    // The character extends a code (see IsCodeKey).
    bool codeKey;
    // The character has a Chinese punctuation mark.
    bool punctuationKey;
    // No candidate has a longer code than the typed one.
    bool codeComplete;
    // The list holds at least one candidate.
    bool hasCandidates;
    // A list is on offer: digits and the second- and third-candidate keys act on it.
    bool candidatesOpen;
    // The list holds association candidates.
    bool associationShown;
    int candidatesInList;
    bool primaryCodeSet;
    bool commaPeriodPaging;
    bool commaPeriodKeys;
    bool semicolonQuoteKeys;
};

enum class CharacterAction {
    CommitFirstAndStartCode,
    ExtendCode,
    SelectByDigit,
    PageDown,
    PageUp,
    SelectSecond,
    SelectThird,
    CommitFirstWithPunctuation,
    DeleteLastKey,
    DropCandidatesAndPassThrough,
    PassThrough,
};

CharacterAction ChooseCharacterAction(const CharacterFacts& facts);
