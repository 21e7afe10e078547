#include <gtest/gtest.h>

#include "engine/character_rules.h"

namespace {

using Action = CharacterAction;

// A character with no list and no option on; each call adds one fact.
struct Facts : CharacterFacts {
    explicit Facts(unsigned char c, unsigned scanCode = 0) : CharacterFacts{} {
        character = c;
        scan = scanCode;
        codeKey = c >= 'a' && c <= 'z';
    }
    Facts& List(int count, bool open = true) {
        candidatesInList = count;
        hasCandidates = count > 0;
        candidatesOpen = open;
        return *this;
    }
    Facts& Code() { return codeKey = true, *this; }
    Facts& Punct() { return punctuationKey = true, *this; }
    Facts& Complete() { return codeComplete = true, *this; }
    Facts& Assoc() { return associationShown = true, *this; }
    Facts& Primary() { return primaryCodeSet = true, *this; }
    Facts& Paging() { return commaPeriodPaging = true, *this; }
    Facts& CommaKeys() { return commaPeriodKeys = true, *this; }
    Facts& QuoteKeys() { return semicolonQuoteKeys = true, *this; }
};

struct Row {
    const char* what;
    CharacterFacts facts;
    Action expected;
};

TEST(CharacterRulesTest, FirstApplyingRuleDecides) {
    const Row rows[] = {
        {"code key after complete code", Facts('a').List(3).Complete(),
         Action::CommitFirstAndStartCode},
        {"after association it extends", Facts('a').List(3).Complete().Assoc(), Action::ExtendCode},
        {"complete but nothing listed", Facts('z').Complete(), Action::ExtendCode},
        {"secondary ';' is a code key first", Facts(';').Code().List(3).QuoteKeys().Punct(),
         Action::ExtendCode},
        {"digit 0", Facts('0').List(3), Action::SelectByDigit},
        {"digit 9", Facts('9').List(3), Action::SelectByDigit},
        {"digit on a closed list", Facts('5').List(3, false), Action::DropCandidatesAndPassThrough},
        {"':' is no digit", Facts(':').List(3), Action::DropCandidatesAndPassThrough},
        {"'/' is no digit", Facts('/').List(3), Action::DropCandidatesAndPassThrough},
        {"paging '.' before third", Facts('.').List(3).Paging().CommaKeys(), Action::PageDown},
        {"paging ',' before second", Facts(',').List(3).Paging().CommaKeys(), Action::PageUp},
        {"'=' before punctuation", Facts('=').List(1).Punct(), Action::PageDown},
        {"'-' before punctuation", Facts('-').List(1).Punct(), Action::PageUp},
        {"Page Up scan", Facts(0, kPageUpScan).List(1), Action::PageUp},
        {"Page Down without a list", Facts(0, kPageDownScan), Action::PassThrough},
        {"',' second of two", Facts(',').List(2).CommaKeys().Punct(), Action::SelectSecond},
        {"',' with one: no punctuation commit", Facts(',').List(1).CommaKeys().Punct(),
         Action::DropCandidatesAndPassThrough},
        {"'.' third of two", Facts('.').List(2).CommaKeys(), Action::DropCandidatesAndPassThrough},
        {"'.' third of three", Facts('.').List(3).CommaKeys(), Action::SelectThird},
        {"primary ';' second", Facts(';').List(2).QuoteKeys().Primary(), Action::SelectSecond},
        {"quote third, primary", Facts('\'').List(3).QuoteKeys().Primary(), Action::SelectThird},
        {"quote third, secondary", Facts('\'').List(3).QuoteKeys().Punct(),
         Action::DropCandidatesAndPassThrough},
        {"punctuation on a closed list", Facts(',').List(1, false).Punct(),
         Action::CommitFirstWithPunctuation},
        {"punctuation after association", Facts(',').List(1).Punct().Assoc(),
         Action::DropCandidatesAndPassThrough},
        {"Ctrl+N with a list", Facts(kCtrlN).List(3), Action::DeleteLastKey},
        {"Ctrl+N alone", Facts(kCtrlN), Action::DeleteLastKey},
        {"punctuation without a list", Facts(',').Punct(), Action::PassThrough},
        {"digit without a list", Facts('1'), Action::PassThrough},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChooseCharacterAction(row.facts), row.expected) << row.what;
    }
}

}  // namespace
