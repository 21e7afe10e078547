#include "engine/dispatch.h"

#include <cstring>

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

constexpr unsigned char kCtrlN = 14;

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

void HandleCharacter(HIMC context, unsigned character, unsigned scan) {
    const unsigned char c = static_cast<unsigned char>(character & 0xFF);
    const bool codeKey = IsCodeKey(c);

    // 1. The next code key after a complete code commits the first candidate and starts anew.
    if (codeKey && Conversion.CodeComplete != 0 && HasCandidates() &&
        Conversion.AssociationShown == 0) {
        Select(context, '1', 0);
        DropCandidates();
        Conversion.CodeComplete = 0;
        ClearCode(context);
        EditCode(context, c, Append, true);
        if (SingleCompleteCandidate()) {
            AutoCommit(context);
        }
        return;
    }
    // 2. A code key extends the code.
    if (codeKey) {
        EditCode(context, c, Append, false);
        if (SingleCompleteCandidate()) {
            AutoCommit(context);
        } else {
            QueueCompositionNotifications(context, kAllCompositionFlags);
        }
        return;
    }
    // 3. A digit selects on the current page.
    if (c >= '0' && c <= '9' && Conversion.CandidatesOpen != 0) {
        if (Settings.AutoFrequency != 0) {
            PromoteCandidate(context, c);
        }
        DropCandidates();
        Select(context, c, 0);
        ClearCode(context);
        return;
    }
    // 4 and 5. Paging keys.
    const bool commaPeriodPaging = Settings.CommaPeriodPaging != 0;
    if (HasCandidates() && (c == '=' || scan == kPageDownScan || (c == '.' && commaPeriodPaging))) {
        PageDown(context);
        return;
    }
    if (HasCandidates() && (c == '-' || scan == kPageUpScan || (c == ',' && commaPeriodPaging))) {
        PageUp(context);
        return;
    }
    // 6 and 7. The second- and third-candidate keys.
    const bool commaPeriodKeys = Settings.CommaPeriodKeys != 0;
    const bool semicolonQuoteKeys = Settings.SemicolonQuoteKeys != 0;
    if (Conversion.CandidatesOpen != 0 && CandidatesInList() >= 2 &&
        ((c == ',' && commaPeriodKeys) || (c == ';' && semicolonQuoteKeys))) {
        DropCandidates();
        Select(context, '2', 0);
        ClearCode(context);
        return;
    }
    if (Conversion.CandidatesOpen != 0 && CandidatesInList() >= 3 &&
        ((c == '.' && commaPeriodKeys) ||
         (c == '\'' && semicolonQuoteKeys && Settings.CodeSet == kCodeSetPrimary))) {
        DropCandidates();
        Select(context, '3', 0);
        ClearCode(context);
        return;
    }
    // 8. Punctuation commits the first candidate followed by the converted punctuation.
    if (!commaPeriodKeys && !semicolonQuoteKeys && HasCandidates() && IsPunctuationKey(c) &&
        Conversion.AssociationShown == 0) {
        DropCandidates();
        Conversion.AssociationShown = 0;
        Select(context, '1', c);
        ClearCode(context);
        return;
    }
    // 9. Ctrl+N deletes the last key.
    if (c == kCtrlN) {
        DropCandidates();
        DeleteLastKey(context, c);
        return;
    }
    // 10 and 11. Anything else drops the candidates and passes through.
    if (HasCandidates()) {
        DropCandidates();
        CommitCharacter(context, c);
        ClearCode(context);
        return;
    }
    CommitCharacter(context, c);
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
