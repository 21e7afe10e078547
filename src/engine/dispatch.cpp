#include "engine/dispatch.h"

#include <cstring>

#include "engine/character_rules.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/paging.h"
#include "engine/promotion.h"
#include "engine/user_words.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "settings/settings.h"
#include "context/message_queue.h"
#include "engine/mode_state.h"

namespace {

void ClearCode(HIMC context) {
    EditCode(context, 0, Clear, false);
}

void Select(HIMC context, unsigned selection, unsigned follow) {
    CommitCandidate(context, selection, follow, 0);
}

// A single candidate that completes the code is committed without waiting.
bool SingleCompleteCandidate() {
    return CandidatesInList() == 1 && Conversion.CodeComplete != 0;
}

void AutoCommit(HIMC context) {
    DropCandidates();
    Conversion.CodeComplete = 0;
    CommitCandidate(context, '1', 0, 0, CommitSource::Automatic);
    ClearCode(context);
}

CharacterFacts ReadCharacterFacts(unsigned char c, unsigned scan) {
    CharacterFacts facts;
    facts.character = c;
    facts.scan = scan;
    facts.codeKey = IsCodeKey(c);
    facts.punctuationKey = IsPunctuationKey(c);
    facts.codeComplete = Conversion.CodeComplete != 0;
    facts.hasCandidates = HasCandidates();
    facts.candidatesOpen = Conversion.CandidatesOpen != 0;
    facts.associationShown = Conversion.AssociationShown != 0;
    facts.candidatesInList = CandidatesInList();
    facts.primaryCodeSet = Settings.CodeSet == kCodeSetPrimary;
    facts.commaPeriodPaging = Settings.CommaPeriodPaging != 0;
    facts.commaPeriodKeys = Settings.CommaPeriodKeys != 0;
    facts.semicolonQuoteKeys = Settings.SemicolonQuoteKeys != 0;
    return facts;
}

void CommitFirstAndStartCode(HIMC context, unsigned char c) {
    Select(context, '1', 0);
    DropCandidates();
    Conversion.CodeComplete = 0;
    ClearCode(context);
    EditCode(context, c, Append, true);
    if (SingleCompleteCandidate()) {
        AutoCommit(context);
    }
}

void ExtendCode(HIMC context, unsigned char c) {
    EditCode(context, c, Append, false);
    if (SingleCompleteCandidate()) {
        AutoCommit(context);
    } else {
        QueueCompositionNotifications(context, kAllCompositionFlags);
    }
}

void SelectByDigit(HIMC context, unsigned char c) {
    if (Settings.AutoFrequency != 0) {
        PromoteCandidate(context, c);
    }
    DropCandidates();
    Select(context, c, 0);
    ClearCode(context);
}

void SelectOnPage(HIMC context, unsigned selection) {
    DropCandidates();
    Select(context, selection, 0);
    ClearCode(context);
}

void CommitFirstWithPunctuation(HIMC context, unsigned char c) {
    DropCandidates();
    Conversion.AssociationShown = 0;
    Select(context, '1', c);
    ClearCode(context);
}

void DropCandidatesAndPassThrough(HIMC context, unsigned char c) {
    DropCandidates();
    CommitCharacter(context, c);
    ClearCode(context);
}

}  // namespace

bool IsCodeKey(unsigned char c) {
    return (c >= 'a' && c <= 'z') ||
           (Settings.CodeSet == kCodeSetSecondary && (c == ';' || c == '/'));
}

int ProcessCharacter(HIMC context, unsigned character, unsigned scan) {
    {
        ContextLock locked(context);
        if (!locked) {
            return 0;
        }
    }
    const unsigned char c = static_cast<unsigned char>(character & 0xFF);
    if (Conversion.CodeLength == 0) {
        if (IsCodeKey(c)) {
            // Once per composition: words another program saved since are offered in this one.
            ReloadUserWordsIfChanged();
            // A new code is a composition of its own, also after an association list (Wine's
            // EDIT control places the code where the last start found the caret).
            QueueMessage(context, WM_IME_ENDCOMPOSITION, 0, 0);
        }
        QueueMessage(context, WM_IME_STARTCOMPOSITION, 0, 0);
    }
    if (c != ' ' && c != '\r') {
        HandleCharacter(context, character, scan);
    }
    return 1;
}

int ChooseCandidateLine(HIMC context, unsigned char digit) {
    {
        ContextLock locked(context);
        if (!locked) {
            return 0;
        }
    }
    if (ChooseCharacterAction(ReadCharacterFacts(digit, 0)) != CharacterAction::SelectByDigit) {
        return 0;
    }
    // An association list is shown without a code: its composition opens as a key's would.
    if (Conversion.CodeLength == 0) {
        QueueMessage(context, WM_IME_STARTCOMPOSITION, 0, 0);
    }
    SelectByDigit(context, digit);
    return 1;
}

void HandleCharacter(HIMC context, unsigned character, unsigned scan) {
    const unsigned char c = static_cast<unsigned char>(character & 0xFF);
    switch (ChooseCharacterAction(ReadCharacterFacts(c, scan))) {
        case CharacterAction::CommitFirstAndStartCode:
            CommitFirstAndStartCode(context, c);
            return;
        case CharacterAction::ExtendCode:
            ExtendCode(context, c);
            return;
        case CharacterAction::SelectByDigit:
            SelectByDigit(context, c);
            return;
        case CharacterAction::PageDown:
            PageDown(context);
            return;
        case CharacterAction::PageUp:
            PageUp(context);
            return;
        case CharacterAction::SelectSecond:
            SelectOnPage(context, '2');
            return;
        case CharacterAction::SelectThird:
            SelectOnPage(context, '3');
            return;
        case CharacterAction::CommitFirstWithPunctuation:
            CommitFirstWithPunctuation(context, c);
            return;
        case CharacterAction::DeleteLastKey:
            DropCandidates();
            DeleteLastKey(context, c);
            return;
        case CharacterAction::DropCandidatesAndPassThrough:
            DropCandidatesAndPassThrough(context, c);
            return;
        case CharacterAction::PassThrough:
            CommitCharacter(context, c);
            return;
    }
}

int CommitCharacter(HIMC context, unsigned character) {
    const char* text = nullptr;
    if (IsModeOn(ChinesePunctuation)) {
        text = ConvertSymbol(static_cast<std::uint16_t>(character), IsModeOn(FullWidth), true);
    }
    const char single[2] = {static_cast<char>(character & 0xFF), '\0'};
    Conversion.AssociationShown = 0;
    return CommitSymbol(context, text != nullptr ? text : single);
}

void CommitFirstCandidate(HIMC context) {
    Select(context, '1', 0);
}

int DeleteLastKey(HIMC context, unsigned character) {
    return EditCode(context, character, DeleteLast, true);
}
