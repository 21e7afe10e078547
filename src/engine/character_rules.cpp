#include "engine/character_rules.h"

namespace {

using Facts = CharacterFacts;

// A code key after a complete code does not narrow it: it begins the next one.
bool CodeKeyAfterCompleteCode(const Facts& f) {
    return f.codeKey && f.codeComplete && f.hasCandidates && !f.associationShown;
}

bool CodeKey(const Facts& f) {
    return f.codeKey;
}

bool DigitOnOpenList(const Facts& f) {
    return f.character >= '0' && f.character <= '9' && f.candidatesOpen;
}

bool PageDownKey(const Facts& f) {
    const unsigned char c = f.character;
    return f.hasCandidates &&
           (c == '=' || f.scan == kPageDownScan || (c == '.' && f.commaPeriodPaging));
}

bool PageUpKey(const Facts& f) {
    const unsigned char c = f.character;
    return f.hasCandidates &&
           (c == '-' || f.scan == kPageUpScan || (c == ',' && f.commaPeriodPaging));
}

bool SecondCandidateKey(const Facts& f) {
    const unsigned char c = f.character;
    return f.candidatesOpen && f.candidatesInList >= 2 &&
           ((c == ',' && f.commaPeriodKeys) || (c == ';' && f.semicolonQuoteKeys));
}

// The quote is a code key's neighbour only on the Primary keyboard layout.
bool ThirdCandidateKey(const Facts& f) {
    const unsigned char c = f.character;
    return f.candidatesOpen && f.candidatesInList >= 3 &&
           ((c == '.' && f.commaPeriodKeys) ||
            (c == '\'' && f.semicolonQuoteKeys && f.primaryCodeSet));
}

// With either pair of selection keys on, punctuation never commits a candidate for the user.
bool PunctuationAfterCandidates(const Facts& f) {
    return !f.commaPeriodKeys && !f.semicolonQuoteKeys && f.hasCandidates && f.punctuationKey &&
           !f.associationShown;
}

bool CtrlN(const Facts& f) {
    return f.character == kCtrlN;
}

bool CandidatesPending(const Facts& f) {
    return f.hasCandidates;
}

struct CharacterRule {
    bool (*applies)(const Facts&);
    CharacterAction action;
};

constexpr CharacterRule kRules[] = {
    {CodeKeyAfterCompleteCode, CharacterAction::CommitFirstAndStartCode},
    {CodeKey, CharacterAction::ExtendCode},
    {DigitOnOpenList, CharacterAction::SelectByDigit},
    {PageDownKey, CharacterAction::PageDown},
    {PageUpKey, CharacterAction::PageUp},
    {SecondCandidateKey, CharacterAction::SelectSecond},
    {ThirdCandidateKey, CharacterAction::SelectThird},
    {PunctuationAfterCandidates, CharacterAction::CommitFirstWithPunctuation},
    {CtrlN, CharacterAction::DeleteLastKey},
    {CandidatesPending, CharacterAction::DropCandidatesAndPassThrough},
};

}  // namespace

CharacterAction ChooseCharacterAction(const CharacterFacts& facts) {
    for (const CharacterRule& rule : kRules) {
        if (rule.applies(facts)) {
            return rule.action;
        }
    }
    return CharacterAction::PassThrough;
}
